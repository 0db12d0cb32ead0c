// The grade options on the sheets: furigana beside unlearned kanji (placed as the answer's
// reading, clear of it and of the boxes), an answer's kanji in kana in the other rows, and
// the answer keys in red. Places written out from the layout rules.
#include <gtest/gtest.h>

#include <QStringList>

#include "core/data/reading_dictionary.h"
#include "core/data/reading_proposer.h"
#include "core/printing/dictation_sheet.h"
#include "core/printing/grade_notes.h"
#include "core/printing/print_jobs.h"
#include "core/printing/reading_sheet.h"
#include "print_helpers_test.h"

using namespace printtest;

namespace {

constexpr int kRed = 255;  // 0x0000FF

// Row 1's answer 雪 stands in row 3's sentence; row 2's sentence holds 泣 (grade 4) on a page
// whose answers are of grade 2 at most. Row 4: 志 the seventh character, right before the answer.
PrintPage gradePage() {
    return makePage(
        QStringLiteral("二年"),
        {{1, {QString(), QStringLiteral("雪"), QStringLiteral("ゆき"), QStringLiteral("がふった。")}},
         {2,
          {QStringLiteral("妹が"), QStringLiteral("大声"), QStringLiteral("おおごえ"),
           QStringLiteral("で泣いた。")}},
         {3,
          {QStringLiteral("雪だるまを"), QStringLiteral("作"), QStringLiteral("つく"),
           QStringLiteral("る。")}},
         {4, {QStringLiteral("ともだちとは志"), QStringLiteral("歌"), QStringLiteral("うた"), QString()}}});
}

SheetNotes rubyOf(std::initializer_list<std::pair<int, Ruby>> rubies) {
    SheetNotes notes;
    for (const auto& [row, ruby] : rubies) notes.ruby[static_cast<size_t>(row)].push_back(ruby);
    return notes;
}

const SheetNotes kNotes = rubyOf({{2, {ProblemText::After, 1, 1, QStringLiteral("な")}},
                                  {4, {ProblemText::Before, 6, 1, QStringLiteral("こころざし")}}});

struct Text {
    double x, y, size;
    QString text;
    int color = 0;
};

std::vector<Text> textsOf(const RecordingSurface& rs) {
    std::vector<Text> out;
    for (const Op& op : rs.texts()) out.push_back({op.x(), op.y(), op.size, op.text, op.color});
    return out;
}

// The texts of `with` that `without` does not have, in order; and whether every text of
// `without` is in `with` unchanged.
std::vector<Text> added(const RecordingSurface& with, const RecordingSurface& without, bool* keepsTheRest) {
    std::vector<Text> rest = textsOf(without), extra;
    for (const Text& t : textsOf(with)) {
        const auto it = std::find_if(rest.begin(), rest.end(), [&](const Text& r) {
            return same(r.x, t.x) && same(r.y, t.y) && r.size == t.size && r.text == t.text &&
                   r.color == t.color;
        });
        if (it != rest.end())
            rest.erase(it);
        else
            extra.push_back(t);
    }
    *keepsTheRest = rest.empty();
    return extra;
}

void expectTexts(const std::vector<Text>& got, const std::vector<Text>& want, const char* what) {
    ASSERT_EQ(got.size(), want.size()) << what;
    for (size_t k = 0; k < want.size(); ++k) {
        EXPECT_NEAR(got[k].x, want[k].x, 0.01) << what << " #" << k << " " << qPrintable(got[k].text);
        EXPECT_NEAR(got[k].y, want[k].y, 0.01) << what << " #" << k << " " << qPrintable(got[k].text);
        EXPECT_DOUBLE_EQ(got[k].size, want[k].size) << what << " #" << k;
        EXPECT_EQ(got[k].text, want[k].text) << what << " #" << k;
        EXPECT_EQ(got[k].color, want[k].color) << what << " #" << k;
    }
}

struct SheetCase {
    const char* name;
    SheetKind sheet;
    SheetLayout layout;
    bool answerKey;
    bool notes;
    std::vector<Text> added;
};

void drawCase(RecordingSurface& rs, const SheetCase& c, bool withNotes) {
    const PrintPage pg = gradePage();
    SheetInput in{pg, {}, RowStates::fromPage(pg), withNotes && c.notes ? &kNotes : nullptr};
    in.options.answerKey = withNotes && c.answerKey;
    in.options.statusFontName =
        c.layout == SheetLayout::RotatedFont ? QStringLiteral("@ＭＳ 明朝") : QString();
    if (c.sheet == SheetKind::Dictation)
        printDictationSheet(rs, c.layout, in);
    else
        printReadingSheet(rs, c.layout, in);
}

}  // namespace

// The ruby's and answers' places, each sheet and layout; nothing else on the sheet moves.
TEST(GradeNotesOnSheets, RubyAndAnswersStandWhereTheSheetPutsReadings) {
    const SheetCase cases[] = {
        // Dictation, landscape: furigana 40 right of the column's 400-wide characters,
        // 500 + 1481.2 (10 - p) + 440. Row 2's 泣 is the ninth character (② 妹が, a gap of
        // four, で): cell 4600..5000, so な at 4700. Row 4's 志 (cell 4100..4500, centre 4300) is
        // the last before the box (4600..5600): こころざし (1000) ends where the box starts.
        {"dictation, placed, ruby",
         SheetKind::Dictation,
         SheetLayout::CharacterPlaced,
         false,
         true,
         {{12789.6, 4700, 10, QStringLiteral("な")},
          {9827.2, 3600, 10, QStringLiteral("こ")},
          {9827.2, 3800, 10, QStringLiteral("こ")},
          {9827.2, 4000, 10, QStringLiteral("ろ")},
          {9827.2, 4200, 10, QStringLiteral("ざ")},
          {9827.2, 4400, 10, QStringLiteral("し")}}},
        // Rotated: rows at 1850 + 1481.2 (p - 1); 泣 the ninth cell, 200 + 100 + 529 x 8 ..
        // +400: な 120 above the row at 10 pt. Row 4: 志's cell 4003..4403 (centre 4203), the box
        // from 200 + 529 x 8 = 4432: こころざし ends there.
        {"dictation, rotated, ruby",
         SheetKind::Dictation,
         SheetLayout::RotatedFont,
         false,
         true,
         {{4632, 3011.2, 10, QStringLiteral("な")},
          {3432, 5973.6, 10, QStringLiteral("こ")},
          {3632, 5973.6, 10, QStringLiteral("こ")},
          {3832, 5973.6, 10, QStringLiteral("ろ")},
          {4032, 5973.6, 10, QStringLiteral("ざ")},
          {4232, 5973.6, 10, QStringLiteral("し")}}},
        // The key: 36-pt kanji in the middle of their two cells and of the box (250..1250).
        {"dictation, placed, key",
         SheetKind::Dictation,
         SheetLayout::CharacterPlaced,
         true,
         false,
         {{13720.8, 1240, 36, QStringLiteral("雪"), kRed},
          {12239.6, 2240, 36, QStringLiteral("大"), kRed},
          {12239.6, 3240, 36, QStringLiteral("声"), kRed},
          {10758.4, 3740, 36, QStringLiteral("作"), kRed},
          {9277.2, 4740, 36, QStringLiteral("歌"), kRed}}},
        {"dictation, rotated, key",
         SheetKind::Dictation,
         SheetLayout::RotatedFont,
         true,
         false,
         {{898, 1690, 36, QStringLiteral("雪"), kRed},
          {1956, 3171.2, 36, QStringLiteral("大"), kRed},
          {3014, 3171.2, 36, QStringLiteral("声"), kRed},
          {3543, 4652.4, 36, QStringLiteral("作"), kRed},
          {4601, 6133.6, 36, QStringLiteral("歌"), kRed}}},
        // Reading sheet at 25 pt, landscape: characters 1058 x 20/35 = 604.571 apart, the lane
        // 50 right of the 500-wide characters (1050 + 1481.2 (10 - p)). Row 2's 大声 (cells 3
        // and 4) centre 600 + 3.5 x 604.571 + 250 = 2966: おおごえ at 15 pt from 2366. な
        // (12.5 pt) beside 泣, the seventh cell: 600 + 6 x 604.571 + 250 - 125. Row 4's こころざし
        // (1250 long, centred on 志 at 600 + 7 x 604.571 + 250) ends where the key's うた starts.
        {"reading, placed, key and ruby",
         SheetKind::Reading,
         SheetLayout::CharacterPlaced,
         true,
         true,
         {{14380.8, 1154.5714, 15, QStringLiteral("ゆ"), kRed},
          {14380.8, 1454.5714, 15, QStringLiteral("き"), kRed},
          {12899.6, 2366, 15, QStringLiteral("お"), kRed},
          {12899.6, 2666, 15, QStringLiteral("お"), kRed},
          {12899.6, 2966, 15, QStringLiteral("ご"), kRed},
          {12899.6, 3266, 15, QStringLiteral("え"), kRed},
          {12899.6, 4352.4286, 12.5, QStringLiteral("な")},
          {11418.4, 4177.4286, 15, QStringLiteral("つ"), kRed},
          {11418.4, 4477.4286, 15, QStringLiteral("く"), kRed},
          {9937.2, 5386.5714, 15, QStringLiteral("う"), kRed},
          {9937.2, 5686.5714, 15, QStringLiteral("た"), kRed},
          {9937.2, 4136.5714, 12.5, QStringLiteral("こ")},
          {9937.2, 4386.5714, 12.5, QStringLiteral("こ")},
          {9937.2, 4636.5714, 12.5, QStringLiteral("ろ")},
          {9937.2, 4886.5714, 12.5, QStringLiteral("ざ")},
          {9937.2, 5136.5714, 12.5, QStringLiteral("し")}}},
        // Rotated: the same places along the row from 300, above the row (1850 + 1481.2 (p - 1))
        // by 125 and their own height.
        {"reading, rotated, key and ruby",
         SheetKind::Reading,
         SheetLayout::RotatedFont,
         true,
         true,
         {{854.5714, 1425, 15, QStringLiteral("ゆ"), kRed},
          {1154.5714, 1425, 15, QStringLiteral("き"), kRed},
          {2066, 2906.2, 15, QStringLiteral("お"), kRed},
          {2366, 2906.2, 15, QStringLiteral("お"), kRed},
          {2666, 2906.2, 15, QStringLiteral("ご"), kRed},
          {2966, 2906.2, 15, QStringLiteral("え"), kRed},
          {4052.4286, 2956.2, 12.5, QStringLiteral("な")},
          {3877.4286, 4387.4, 15, QStringLiteral("つ"), kRed},
          {4177.4286, 4387.4, 15, QStringLiteral("く"), kRed},
          {5086.5714, 5868.6, 15, QStringLiteral("う"), kRed},
          {5386.5714, 5868.6, 15, QStringLiteral("た"), kRed},
          {3836.5714, 5918.6, 12.5, QStringLiteral("こ")},
          {4086.5714, 5918.6, 12.5, QStringLiteral("こ")},
          {4336.5714, 5918.6, 12.5, QStringLiteral("ろ")},
          {4586.5714, 5918.6, 12.5, QStringLiteral("ざ")},
          {4836.5714, 5918.6, 12.5, QStringLiteral("し")}}},
    };
    for (const SheetCase& c : cases) {
        RecordingSurface with, without;
        drawCase(with, c, true);
        drawCase(without, c, false);
        bool keepsTheRest = false;
        expectTexts(added(with, without, &keepsTheRest), c.added, c.name);
        EXPECT_TRUE(keepsTheRest) << c.name << ": a mark of the plain sheet moved or went";
        EXPECT_EQ(with.ofKind(Kind::Box).size(), without.ofKind(Kind::Box).size()) << c.name;
    }
}

TEST(GradeNotesOnSheets, RubyNeverRunsIntoAnotherReading) {
    Lane lane(600, 10500);
    lane.occupy(4466.67, 5066.67);
    // Round its centre when it fits there.
    Lane::Placement p = lane.place(2000, 2, 200);
    EXPECT_DOUBLE_EQ(p.from, 1800);
    EXPECT_DOUBLE_EQ(p.step, 200);
    // Pushed up against the reading below it.
    p = lane.place(4300, 2, 200);
    EXPECT_NEAR(p.from, 4066.67, 1e-9);
    // Centred inside the reading: to the nearer free stretch (below it), whole.
    p = lane.place(5000, 2, 200);
    EXPECT_NEAR(p.from, 5066.67, 1e-9);
    // Clear of the rubies placed before it.
    p = lane.place(5100, 1, 200);
    EXPECT_NEAR(p.from, 5466.67, 1e-9);
    // No stretch long enough: the largest one, closer together.
    Lane narrow(0, 1000);
    narrow.occupy(300, 700);
    p = narrow.place(500, 4, 200);
    EXPECT_DOUBLE_EQ(p.from, 0);
    EXPECT_DOUBLE_EQ(p.step, 75);
    EXPECT_DOUBLE_EQ(p.scale, 0.375);
}

// Which kanji get furigana or kana, with a reader that knows some words only as a whole.
TEST(GradeNotes, RubyAndKanaComeFromTheSentenceKanjiByKanjiElseByRun) {
    DictionaryTable table;
    readDictionaryText(table,
                       QStringLiteral("1,大,だい,おお,3\n2,雪,せつ,ゆき,11\n2,声,せい,こえ,7\n"
                                      "2,作,さく,つく(る),7\n2,妹,まい,いもうと,8\n4,泣,きゅう,な(く),8\n"
                                      "4,景,けい,,12\n2,色,しょく,いろ,6\n"));
    const KanjiGrades grades = KanjiGrades::fromTable(table);
    QStringList asked;
    const WordReader read = [&](const QString& before, const QString& word, const QString& after) {
        asked << before + u'[' + word + u']' + after;
        static const QHash<QString, QString> known{{QStringLiteral("泣"), QStringLiteral("な")},
                                                   {QStringLiteral("雪"), QStringLiteral("ゆき")},
                                                   {QStringLiteral("景色"), QStringLiteral("けしき")}};
        return known.contains(word) ? std::optional<QString>(known.value(word)) : std::nullopt;
    };
    PrintPage pg = gradePage();
    pg.after[5] = QStringLiteral("景色と鬱");
    pg.before[4] = QStringLiteral("ともだちとは鬱");
    pg.kanji[5] = QStringLiteral("大");
    std::vector<UnreadKanji> unread;
    const SheetNotes notes = unlearnedRuby(pg, RowStates::fromPage(pg), grades, 2, read, &unread);
    EXPECT_EQ(notes.ruby[2], (std::vector<Ruby>{{ProblemText::After, 1, 1, QStringLiteral("な")}}));
    EXPECT_EQ(notes.ruby[4], std::vector<Ruby>{});  // 鬱 has no reading here
    EXPECT_EQ(notes.ruby[5], (std::vector<Ruby>{{ProblemText::After, 0, 2, QStringLiteral("けしき")}}));
    EXPECT_EQ(unread, (std::vector<UnreadKanji>{{4, QStringLiteral("鬱")}, {5, QStringLiteral("鬱")}}));
    // The whole row is the sentence, its answer included.
    EXPECT_TRUE(asked.contains(QStringLiteral("妹が大声で[泣]いた。"))) << qPrintable(asked.join(u' '));

    const PrintPage kana = leaksInKana(pg, read);
    EXPECT_EQ(kana.before[3], QStringLiteral("ゆきだるまを"));
    // Nothing else changes.
    PrintPage back = kana;
    back.before[3] = pg.before[3];
    EXPECT_EQ(back.before, pg.before);
    EXPECT_EQ(back.after, pg.after);
    EXPECT_EQ(back.kanji, pg.kanji);
    EXPECT_EQ(back.reading, pg.reading);
}

// The done-when page through MeCab, as the print command draws it.
TEST(GradeNotes, MeCabReadsTheKanjiInItsSentence) {
    ASSERT_TRUE(ReadingProposer::shared().isAvailable())
        << qPrintable(ReadingProposer::shared().unavailableMessage());
    DictionaryTable table;
    readDictionaryText(table,
                       QStringLiteral("1,大,だい,おお,3\n2,雪,せつ,ゆき,11\n2,声,せい,こえ,7\n"
                                      "2,作,さく,つく(る),7\n2,妹,まい,いもうと,8\n4,泣,きゅう,な(く),8\n"));
    SheetOptions o;
    o.rubyUnlearned = true;
    o.leakKana = true;
    o.kanjiGrades = std::make_shared<const KanjiGrades>(KanjiGrades::fromTable(table));
    PrintPage pg = gradePage();
    // Row 4 (鬱, 歌) is no grade-2 row: its answer would make the page's grade 7.
    pg.before[4].clear();
    pg.kanji[4].clear();
    pg.reading[4].clear();
    PrintPage printed;
    SheetNotes notes;
    std::vector<UnreadKanji> unread;
    prepareGradeNotes(SheetKind::Dictation, pg, RowStates::fromPage(pg), o, printed, notes, &unread);
    EXPECT_EQ(printed.before[3], QStringLiteral("ゆきだるまを"));
    EXPECT_EQ(notes.ruby[2], (std::vector<Ruby>{{ProblemText::After, 1, 1, QStringLiteral("な")}}));
    EXPECT_TRUE(unread.empty());
    // The reading sheet keeps 雪 in row 3 (its pupils read, they do not write).
    prepareGradeNotes(SheetKind::Reading, pg, RowStates::fromPage(pg), o, printed, notes, &unread);
    EXPECT_EQ(printed.before[3], QStringLiteral("雪だるまを"));
    EXPECT_EQ(notes.ruby[2], (std::vector<Ruby>{{ProblemText::After, 1, 1, QStringLiteral("な")}}));
}

TEST(GradeNotes, AnswerKeyTakesTheReadingFromTheSentenceWhenTheRowHasNone) {
    SheetOptions o;
    o.answerKey = true;
    o.readWord = [](const QString&, const QString& word, const QString&) -> std::optional<QString> {
        return word == u"作" ? std::optional<QString>(QStringLiteral("つく")) : std::nullopt;
    };
    PrintPage pg = gradePage();
    pg.reading[3].clear();
    pg.reading[1] = QStringLiteral("ゆき");
    PrintPage printed;
    SheetNotes notes;
    prepareGradeNotes(SheetKind::Reading, pg, RowStates::fromPage(pg), o, printed, notes);
    EXPECT_EQ(printed.reading[3], QStringLiteral("つく"));
    EXPECT_EQ(printed.reading[1], QStringLiteral("ゆき"));
    EXPECT_FALSE(needsGradeNotes(SheetKind::Tracing, o));
    EXPECT_FALSE(needsGradeNotes(SheetKind::Dictation, o));  // its key needs no readings
    EXPECT_TRUE(needsGradeNotes(SheetKind::Reading, o));
}
