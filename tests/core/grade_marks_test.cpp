// The class's grade in the main window: the grid's marks while typing, 印刷オプション 学年 and
// its companions kept in jirakubo.ini (never in the problem file), the question before a
// dictation sheet that would show an answer, and 解答も印刷.
#include <QFile>

#include "core/printing/recording_surface.h"
#include "core/windows/main/print_commands.h"
#include "window_fixture.h"

namespace {

struct GradeWindowTest : WindowTest {
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(JIRAKUBO_DATA_DIR "/onkun.txt"), path(QStringLiteral("onkun.txt"))));
    }
    // Row 1's answer 雪 stands in row 3's sentence; row 2 says 泣いた (grade 4) on a grade-2 page.
    void typePage() {
        startTyping(QStringLiteral("二年 雪"));
        type(1, kColKanji, QStringLiteral("雪"));
        type(1, kColAfter, QStringLiteral("がふった。"));
        type(2, kColBefore, QStringLiteral("妹が"));
        type(2, kColKanji, QStringLiteral("大声"));
        type(2, kColAfter, QStringLiteral("で泣いた。"));
        type(3, kColBefore, QStringLiteral("雪だるまを"));
        type(3, kColKanji, QStringLiteral("作"));
        type(3, kColAfter, QStringLiteral("る。"));
    }
    const GridCell& gridCell(int r, int c) const { return mw.grid.at(r).cell(c); }
    using Marks = std::vector<std::pair<qsizetype, qsizetype>>;
};

}  // namespace

TEST_F(GradeWindowTest, TheGridMarksUnlearnedKanjiAndLeakingAnswersWhileTyping) {
    typePage();
    EXPECT_EQ(mw.chosenGrade(), 0);
    EXPECT_EQ(gridCell(2, kColAfter).unlearnedMarks, (Marks{{1, 1}}));
    EXPECT_EQ(gridCell(2, kColAfter).markNote, QStringLiteral("未習漢字: 泣（4年）"));
    EXPECT_EQ(gridCell(1, kColKanji).leakMarks, (Marks{{0, 1}}));
    EXPECT_EQ(gridCell(1, kColKanji).markNote, QStringLiteral("答えが3行目の文にも出ています"));
    EXPECT_EQ(gridCell(3, kColBefore).leakMarks, (Marks{{0, 1}}));
    EXPECT_EQ(gridCell(3, kColBefore).markNote, QStringLiteral("1行目の答え「雪」が出ています"));
    // Nothing else is marked.
    int marked = 0;
    for (int r = 1; r <= 10; ++r)
        for (int c = kColBefore; c <= kColAfter2; ++c) marked += gridCell(r, c).markNote.isEmpty() ? 0 : 1;
    EXPECT_EQ(marked, 3);

    // The marks follow the typing: 雪 gone from row 3, the leak goes.
    type(3, kColBefore, QStringLiteral("ゆきだるまを"));
    EXPECT_TRUE(gridCell(1, kColKanji).leakMarks.empty());
    EXPECT_TRUE(gridCell(1, kColKanji).markNote.isEmpty());
    // A grade-4 class has learned 泣.
    mw.onMenu(QStringLiteral("gk4"));
    EXPECT_EQ(mw.chosenGrade(), 4);
    EXPECT_TRUE(gridCell(2, kColAfter).unlearnedMarks.empty());
    // A grade-1 class has not learned 雪 (an answer) nor 妹 and 声.
    mw.onMenu(QStringLiteral("gk1"));
    EXPECT_EQ(gridCell(1, kColKanji).markNote, QStringLiteral("未習漢字: 雪（2年）"));
    EXPECT_EQ(gridCell(2, kColKanji).unlearnedMarks, (Marks{{1, 1}}));
    EXPECT_EQ(gridCell(2, kColBefore).markNote, QStringLiteral("未習漢字: 妹（2年）"));
    EXPECT_EQ(gridCell(2, kColAfter).markNote, QStringLiteral("未習漢字: 泣（4年）"));
}

TEST_F(GradeWindowTest, GradeOptionsLiveInTheProgramsOwnSettingsNotInTheProblemFile) {
    typePage();
    mw.onMenu(QStringLiteral("gk3"));
    mw.onMenu(QStringLiteral("rbu"));
    mw.onMenu(QStringLiteral("wkey"));
    mw.storeGrid();
    const QString line = wb.pageLines[0];
    mw.shutDown();
    const QString options = readCp932(path(QStringLiteral("jirakubo.ini")));
    EXPECT_EQ(options, QStringLiteral("furigana-auto=0\r\ngrade=3\r\nruby-unlearned=1\r\nleak-kana=0\r\n"
                                      "print-key=1\r\n"));
    // The problem file's line is the same as without the options: 74 fields, no grade.
    EXPECT_EQ(line.count(u','), 73);
    EXPECT_FALSE(line.contains(QStringLiteral("grade")));

    Workbook wb2;
    MainWindow again{platform, wb2};
    again.startUp();
    EXPECT_EQ(again.chosenGrade(), 3);
    EXPECT_TRUE(again.checked(QStringLiteral("rbu")));
    EXPECT_FALSE(again.checked(QStringLiteral("lkk")));
    EXPECT_TRUE(again.checked(QStringLiteral("wkey")));

    // A damaged options file: what cannot be read takes its default.
    QFile f(path(QStringLiteral("jirakubo.ini")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("grade=9\r\nleak-kana=yes\r\nruby-unlearned=1\r\n\xff\xfe");
    f.close();
    const ProgramOptions read = readProgramOptions(path(QStringLiteral("jirakubo.ini")));
    EXPECT_EQ(read.grade, 0);
    EXPECT_FALSE(read.leakKana);
    EXPECT_TRUE(read.rubyUnlearned);
}

TEST_F(GradeWindowTest, BeforeADictationSheetTheTeacherHearsOfLeakingAnswers) {
    typePage();
    PrintJob job(mw);
    EXPECT_EQ(
        job.leakingRowsQuestion(SheetKind::Dictation, true),
        QStringLiteral(
            "次の答えは、ほかの行の文にも出ています（書き取りで答えが見えます）。\n"
            " 1頁 1行目の答え「雪」→ 3行目の文\n"
            "このまま印刷しますか？（印刷オプション「答えを文中でかなにする」で、かなにして印刷できます）"));
    EXPECT_EQ(job.leakingRowsQuestion(SheetKind::ThreeSheets, false).count(u'→'), 1);
    // The reading sheet shows every answer anyway; with the option on the sheet prints kana.
    EXPECT_TRUE(job.leakingRowsQuestion(SheetKind::Reading, true).isEmpty());
    mw.onMenu(QStringLiteral("lkk"));
    EXPECT_TRUE(job.leakingRowsQuestion(SheetKind::Dictation, true).isEmpty());
}

TEST_F(GradeWindowTest, PrintingWithTheKeyAddsTheSheetAgainWithTheAnswersInRed) {
    typePage();
    mw.onMenu(QStringLiteral("lkk"));
    mw.onMenu(QStringLiteral("wkey"));
    RecordingSurface rs;
    PrintJob(mw).draw(rs, SheetKind::Dictation, true);
    ASSERT_EQ(rs.ofKind(RecordingSurface::Kind::NewPage).size(), 1u);
    QStringList red;
    bool afterBreak = false;
    for (const auto& op : rs.ops()) {
        if (op.kind == RecordingSurface::Kind::NewPage) afterBreak = true;
        if (op.kind == RecordingSurface::Kind::Text && op.color == 255) {
            EXPECT_TRUE(afterBreak) << "a red answer on the pupils' sheet";
            red << op.text;
        }
    }
    EXPECT_EQ(red, (QStringList{QStringLiteral("雪"), QStringLiteral("大"), QStringLiteral("声"),
                                QStringLiteral("作")}));
    // The tracing sheet has no key.
    rs.clear();
    PrintJob(mw).draw(rs, SheetKind::Tracing, true);
    EXPECT_TRUE(rs.ofKind(RecordingSurface::Kind::NewPage).empty());
}
