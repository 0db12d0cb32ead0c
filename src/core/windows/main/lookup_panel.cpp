#include "core/windows/main/lookup_panel.h"

#include <QDir>
#include <QFileInfo>
#include <memory>

#include "core/data/problem_files.h"
#include "core/data/reading_proposer.h"
#include "core/data/text_codec.h"
#include "core/message_titles.h"
#include "core/platform.h"
#include "core/printing/character_list.h"
#include "core/printing/practice_book.h"
#include "core/printing/print_page.h"
#include "core/windows/read_messages.h"

namespace {

const QString kNoHeadingLabel = QStringLiteral("頁の見出し");
const QString kGradeTableMenu = QStringLiteral("hth");  // "学年配当表印刷"

int gradeColorOf(const DictionaryRecord& rec) {
    bool ok = false;
    const int g = rec[kGradeField].trimmed().toInt(&ok);
    return ok && g >= 1 && g <= 6 ? kGradeColors[static_cast<size_t>(g)] : kColorWhite;
}

// Character n (from 0) of a text, a surrogate pair counting as one character.
QStringView characterAt(QStringView text, int n) {
    qsizetype i = 0;
    for (int c = 0; i < text.size(); ++c) {
        const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        if (c == n) return text.mid(i, len);
        i += len;
    }
    return {};
}

}  // namespace

QString firstReading(const QString& field) {
    // Readings are joined by "・" (also "、", a comma or a blank in files made elsewhere); the
    // okurigana stand in brackets, or after a dot as in KANJIDIC (い.きる).
    static const QString separators = QStringLiteral("・、，,/／ 　");
    static const QString okurigana = QStringLiteral("(（.．");
    QString first;
    for (QChar c : field) {
        if (separators.contains(c)) {
            if (first.isEmpty()) continue;
            break;
        }
        first += c;
    }
    for (qsizetype i = 0; i < first.size(); ++i)
        if (okurigana.contains(first[i])) {
            first.truncate(i);
            break;
        }
    first.remove(u'-');  // KANJIDIC marks prefixes and suffixes: -き, お-
    return textcodec::widenToHiragana(first.trimmed());
}

QString readingsTooltip(const DictionaryRecord& rec) {
    QStringList lines;
    if (!rec[kOnField].trimmed().isEmpty()) lines << QStringLiteral("音：") + rec[kOnField].trimmed();
    if (!rec[kKunField].trimmed().isEmpty()) lines << QStringLiteral("訓：") + rec[kKunField].trimmed();
    return lines.join(u'\n');
}

std::vector<ExampleSlot> findExamples(const Workbook& wb, const QString& kanji, int limit) {
    std::vector<ExampleSlot> found;
    if (kanji.isEmpty()) return found;
    const int records = std::min(wb.exampleCount, static_cast<int>(wb.exampleTable.size()));
    for (int r = 0; r < records; ++r) {
        const ExampleRecord& rec = wb.exampleTable[static_cast<size_t>(r)];
        for (int i = 1; i <= 10; ++i) {
            const QString& word = rec[static_cast<size_t>(slotFieldIndex(i, SlotField::Kanji))];
            if (characterAt(word, 0) != kanji && characterAt(word, 1) != kanji) continue;
            found.push_back({rec[static_cast<size_t>(slotFieldIndex(i, SlotField::Before))], word,
                             rec[static_cast<size_t>(slotFieldIndex(i, SlotField::Reading))],
                             rec[static_cast<size_t>(slotFieldIndex(i, SlotField::After))]});
            if (static_cast<int>(found.size()) >= limit) return found;
        }
    }
    return found;
}

LookupPanel::LookupPanel(LookupPanelHost& host) : host_(host) {
    static const char* const kGradeCaptions[6] = {"1年", "２年", "３年", "４年", "５年", "６年"};
    for (int g = 1; g <= 6; ++g) {
        ButtonControl& b = command202[static_cast<size_t>(g - 1)];
        b.caption = QString::fromUtf8(kGradeCaptions[g - 1]);
        b.tooltip = QStringLiteral("%1年生で習う漢字を表示").arg(g);
        b.backColor = kGradeColors[static_cast<size_t>(g)];
    }
    for (LookupCell& c : label101) c.tooltip = QStringLiteral("クッリクするとメインホームにコピーされます");
    command101.caption = kNextPageCaption;
    command101.enabled = false;  // until a list has a second page
    command4.caption = kExamplesOffCaption;
    command4.visible = false;
    command4.enabled = false;  // until a list is built
    for (LabelControl& l : label303) l.visible = false;
    label303[4].caption = kExampleHint;
    label202.caption = QStringLiteral("消去");
    label202.tooltip = QStringLiteral("消去ボタンです");
}

const DictionaryTable& LookupPanel::list() const {
    return host_.readingDictionary().result;
}

int LookupPanel::pageCount() const {
    const int n = list().count;
    return n <= 0 ? 1 : (n + kLookupCells - 1) / kLookupCells;
}

int LookupPanel::listRowOfCell(int k) const {
    const int row = page * kLookupCells + k + 1;
    return k >= 0 && k < kLookupCells && row <= list().count ? row : 0;
}

// --- show and hide ---

void LookupPanel::toggle() {
    if (visible)
        hide();
    else
        show();
}

void LookupPanel::show() {
    host_.setMemoryPanelVisible(false);
    host_.setArrowPadVisible(false);
    host_.setWindowWidth(kWindowWidthLookup);
    command4.visible = true;
    for (ToolbarButton b : {kCompanyButton, kTextFlowButton}) {
        host_.setToolButtonVisible(b, true);
        host_.setToolButtonEnabled(b, true);
    }
    for (LookupCell& c : label101) {
        c.visible = true;
        c.backColor = kColorWhite;
    }
    q = 1;
    host_.ensurePageOnScreen();
    host_.setTitleLabelVisible(false);
    host_.setHeadingBoxColor(host_.headingBoxText().isEmpty() ? kColorYellow : kColorWhite);
    visible = true;
    host_.setToolButtonPicture(kLookupButton, kLookupPictureShown);
}

void LookupPanel::hide() {
    host_.setWindowWidth(kWindowWidthPlain);
    command4.visible = false;
    for (LabelControl& l : label303) l.visible = false;
    for (int k = 0; k < kLookupCells; ++k) {
        setCellCaption(k, QString());
        label101[static_cast<size_t>(k)].tooltip.clear();
        label101[static_cast<size_t>(k)].visible = false;
    }
    host_.readingDictionary().result.clear();
    page = 0;
    updatePageButton();
    host_.setMenuEnabled(kGradeTableMenu, false);
    for (ToolbarButton b : {kGradeListButton, kPracticeBookButton, kCompanyButton, kTextFlowButton})
        host_.setToolButtonVisible(b, false);
    host_.setArrowPadVisible(true);
    host_.setMemoryPanelVisible(false);
    visible = false;
    host_.setToolButtonPicture(kLookupButton, kLookupPictureHidden);
}

// --- the list ---

void LookupPanel::setCellCaption(int k, const QString& text) {
    LookupCell& c = label101[static_cast<size_t>(k)];
    if (c.caption == text) return;
    c.caption = text;
    if (k == 0) onCell0Changed();
}

// The list print and the practice book are offered while cell 0 holds a kanji.
void LookupPanel::onCell0Changed() {
    const bool has = !label101[0].caption.isEmpty();
    for (ToolbarButton b : {kGradeListButton, kPracticeBookButton}) {
        host_.setToolButtonVisible(b, has);
        host_.setToolButtonEnabled(b, has);
    }
}

void LookupPanel::buildList() {
    ReadingDictionary& d = host_.readingDictionary();
    if (grade != 0)
        d.queryByGrade(grade);
    else
        d.queryByReading(lastSearch_, lastSearchOn_);
    if (page >= pageCount()) page = 0;
    for (int k = 0; k < kLookupCells; ++k) {
        LookupCell& c = label101[static_cast<size_t>(k)];
        c.fontSize = kLookupFontSize;
        const int row = listRowOfCell(k);
        c.backColor = row ? gradeColorOf(d.result.row(row)) : kColorWhite;
        if (text2.isEmpty()) setCellCaption(k, QString());
    }
    command4.enabled = true;
}

void LookupPanel::showListPage() {
    for (int k = 0; k < kLookupCells; ++k) {
        const int row = listRowOfCell(k);
        const DictionaryRecord* rec = row ? &list().row(row) : nullptr;
        setCellCaption(k, rec ? (*rec)[kKanjiField] : QString());
        label101[static_cast<size_t>(k)].tooltip = rec ? readingsTooltip(*rec) : QString();
    }
}

// "次へ" while a further page exists, "戻る" on the last page, which leads back to the first;
// a list of one page has nowhere to go back to: "次へ", disabled.
void LookupPanel::updatePageButton() {
    command101.caption = pageCount() > 1 && page + 1 >= pageCount() ? kFirstPageCaption : kNextPageCaption;
    command101.enabled = pageCount() > 1;
}

void LookupPanel::onGradeClick(int g) {
    if (g < 1 || g > 6) return;
    loadReadingDictionaryShowingNotice(host_.readingDictionary(), host_.company(), host_.platform());
    host_.enablePageCommands();
    command4.backColor = kGradeColors[static_cast<size_t>(g)];
    grade = g;
    page = 0;
    buildList();
    showListPage();
    updatePageButton();
    host_.setMenuEnabled(kGradeTableMenu, true);
    for (ToolbarButton b : {kGradeListButton, kPracticeBookButton}) host_.setToolButtonEnabled(b, true);
    gradeTable = gradeTableLines(list());
    gradeTableGrade = g;
}

void LookupPanel::onPageButton() {
    if (!command101.enabled) return;
    page = page + 1 < pageCount() ? page + 1 : 0;
    // The prints belong to the first page; cell 0 offers them again when it holds a kanji.
    for (ToolbarButton b : {kGradeListButton, kPracticeBookButton}) host_.setToolButtonEnabled(b, page == 0);
    buildList();
    showListPage();
    updatePageButton();
}

void LookupPanel::onSearch() {
    for (LookupCell& c : label101) c.backColor = kColorWhite;
    // A search before any grade click still has a dictionary to search.
    ReadingDictionary& d = host_.readingDictionary();
    if (d.table.count == 0) loadReadingDictionaryShowingNotice(d, host_.company(), host_.platform());
    grade = 0;
    page = 0;
    lastSearch_ = text2;
    lastSearchOn_ = option1;
    buildList();
    showListPage();
    updatePageButton();
}

void LookupPanel::setSearchText(const QString& text) {
    text2 = text;
}

void LookupPanel::onOption1Click() {
    option1 = true;
    option2 = false;
}

void LookupPanel::onOption2Click() {
    option1 = false;
    option2 = true;
}

void LookupPanel::onCheck1Click() {
    check1 = !check1;
}

void LookupPanel::onEntryBoxFocus() {
    check1 = false;
}

// --- copying into the grid ---

void LookupPanel::writeCell(int row, SlotField field, const QString& text) {
    host_.setGridText(row, field, text);
}

int LookupPanel::firstRowWithoutKanji() const {
    for (int r = 1; r <= 10; ++r)
        if (host_.gridText(r, SlotField::Kanji).isEmpty()) return r;
    return 0;
}

int LookupPanel::copyTarget(const QString& what) {
    const int chosen = host_.gridCursorRow();
    const bool chosenInGrid = chosen >= 1 && chosen <= 10;
    if (chosenInGrid && host_.gridText(chosen, SlotField::Kanji).isEmpty()) return chosen;
    if (const int r = firstRowWithoutKanji()) return r;
    if (!chosenInGrid) {
        host_.platform().messageBox(
            QStringLiteral("空いている行がないため、写しませんでした。\n"
                           "置き換える行の漢字をクリックしてから、もう一度選んでください。"),
            kConfirmTitle, MessageButtons::Ok, MessageIcon::Information);
        return 0;
    }
    const QString question = QStringLiteral("%1行目には問題「%2」が入っています。\n%3で置き換えますか？")
                                 .arg(chosen)
                                 .arg(host_.gridText(chosen, SlotField::Kanji), what);
    if (host_.platform().messageBox(question, kConfirmTitle, MessageButtons::YesNo, MessageIcon::Question) !=
        MessageAnswer::Yes)
        return 0;
    return chosen;
}

void LookupPanel::onCellClick(int k) {
    if (k < 0 || k >= kLookupCells) return;
    host_.nameStep(QStringLiteral("漢字の写し"));
    for (LookupCell& c : label101) c.border = false;
    if (!text2.isEmpty()) {
        buildList();
    } else {
        const int color = command4.backColor >= 0 ? command4.backColor : kColorWhite;
        for (LookupCell& c : label101)
            if (!c.caption.isEmpty()) c.backColor = color;
    }
    LookupCell& cell = label101[static_cast<size_t>(k)];
    cell.border = true;
    selectedCell = k;

    const bool copies = !examplesOn() && command4.enabled && !cell.caption.isEmpty() && listRowOfCell(k) > 0;
    bool refused = false;
    if (!check1) {
        if (copies) {
            // The row the teacher chose, or the first free one; a filled problem is replaced
            // only when the teacher says so.
            const int r = copyTarget(QStringLiteral("「%1」").arg(cell.caption));
            if (r)
                q = r;
            else
                refused = true;
        } else if (const int r = firstRowWithoutKanji()) {
            q = r;
        }
    }

    if (!examplesOn() && command4.enabled) {
        const int e = listRowOfCell(k);
        if (!cell.caption.isEmpty() && e > 0) {
            if (q >= 1 && q <= 10 && !refused) {
                const DictionaryRecord& rec = list().row(e);
                // One reading of the chosen kind; all of them are in the cell's tooltip.
                const QString one = firstReading(option1 ? rec[kOnField] : rec[kKunField]);
                QString kanji = rec[kKanjiField];
                QString reading = one;
                if (check1) {
                    // A compound takes its own reading where the dictionary knows the word
                    // (学校 is がっこう), else the readings of its kanji in turn.
                    kanji = host_.gridText(q, SlotField::Kanji) + kanji;
                    reading = host_.gridText(q, SlotField::Reading) + one;
                    if (kanji.size() > rec[kKanjiField].size())
                        if (const std::optional<QString> own = ReadingProposer::shared().wordReading(kanji))
                            reading = *own;
                }
                writeCell(q, SlotField::Kanji, kanji);
                // ふりがな自動 read the word in its sentence: its reading stands, as for a
                // typed word; else the dictionary's.
                if (!host_.gridReadingProposed(q)) writeCell(q, SlotField::Reading, reading);
                lastCopied_ = check1 ? 0 : q;
            }
        } else if (cell.caption.isEmpty()) {
            // Undo. One word at a time: the row before the target row, the last one filled.
            // A compound under way: its own row, which the next click starts again.
            const int undo = check1 ? q : lastCopied_ ? lastCopied_ : q - 1;
            lastCopied_ = 0;
            if (undo >= 1 && undo <= 10) {
                writeCell(undo, SlotField::Kanji, QString());
                writeCell(undo, SlotField::Reading, QString());
                q = undo;
            }
        }
        if (q > 10) q = 1;
    }

    if (examplesOn()) {
        for (int n = 0; n < 4; ++n) {
            examples[static_cast<size_t>(n)] = {};
            label303[static_cast<size_t>(n)].caption.clear();
        }
        const std::vector<ExampleSlot> found = findExamples(host_.workbook(), cell.caption, 4);
        for (size_t n = 0; n < found.size(); ++n) {
            examples[n] = found[n];
            label303[n].caption = found[n].before + found[n].kanji + found[n].after;
        }
    }
}

void LookupPanel::onClearButton() {
    if (q < 1 || q > 10) return;
    writeCell(q, SlotField::Kanji, QString());
    writeCell(q, SlotField::Reading, QString());
    --q;
}

// --- example sentences ---

void LookupPanel::loadExamples() {
    Platform& platform = host_.platform();
    const QString path = QDir(platform.programDirectory()).filePath(kExampleFileName);
    if (!QFileInfo(path).isFile()) {
        platform.messageBox(path + QStringLiteral(" が見つかりません。例文は表示できません。"), kConfirmTitle,
                            MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    // Only the example table is read: the workbook on screen is left alone.
    auto read = std::make_unique<Workbook>();
    read->exampleFilePath = path;
    const ReadReport report = readProblemFileShowingNotices(*read, platform);
    if (!report.errorMessage.isEmpty()) return;
    Workbook& wb = host_.workbook();
    std::swap(wb.exampleTable, read->exampleTable);
    wb.exampleCount = read->exampleCount;
}

void LookupPanel::onExampleModeToggle() {
    if (!command4.enabled || !command4.visible) return;
    if (!examplesOn()) {
        if (host_.headingLabel() == kNoHeadingLabel) {
            host_.platform().messageBox(kRegisterHeadingMessage, kConfirmTitle, MessageButtons::Ok,
                                        MessageIcon::Information);
            host_.setHeadingBoxColor(kColorYellow);
            host_.showRegisterButton();
        }
        for (LabelControl& l : label303) l.visible = true;
        loadExamples();
        command4.caption = kExamplesOnCaption;
    } else {
        command4.caption = kExamplesOffCaption;
        for (LabelControl& l : label303) l.visible = false;
    }
    host_.focusHeadingBox();
    check1 = false;
}

void LookupPanel::onExampleClick(int n) {
    if (n < 0 || n > 3) return;
    host_.nameStep(QStringLiteral("例文の写し"));
    const QString& line = label303[static_cast<size_t>(n)].caption;
    if (line.isEmpty() || line == kExampleHint) return;
    const int r = copyTarget(QStringLiteral("この例文"));
    if (r == 0) return;
    const ExampleSlot& ex = examples[static_cast<size_t>(n)];
    writeCell(r, SlotField::Before, ex.before);
    writeCell(r, SlotField::Kanji, ex.kanji);
    writeCell(r, SlotField::Reading, ex.reading);
    writeCell(r, SlotField::After, ex.after);
}

// --- prints ---

void LookupPanel::onStrokeOrderClick() {
    if (!strokeOrder && !strokeOrderFaceInstalled) {
        host_.platform().messageBox(
            QStringLiteral("書き順の字形（%1）がインストールされていないため、書き順は印刷できません。"
                           "手本はうすい灰色で印刷します。")
                .arg(kStrokeOrderFace),
            kConfirmTitle, MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    strokeOrder = !strokeOrder;
}

QString LookupPanel::practiceKanjiToPrint() const {
    if (selectedCell >= 0) return label101[static_cast<size_t>(selectedCell)].caption;
    return practiceKanji;
}

void LookupPanel::drawPracticeBook(PrintSurface& s, const QString& statusFontName,
                                   const QString& pageFontName, const ModelShift& shift) {
    PracticeBookInput in;
    in.modelShift = shift;
    if (selectedCell >= 0) in.selectedCell = label101[static_cast<size_t>(selectedCell)].caption;
    in.practiceKanji = practiceKanji;
    in.statusFontName = statusFontName;
    in.pageFontName = pageFontName;
    in.strokeOrder = strokeOrder && strokeOrderFaceInstalled;
    practiceKanji = ::drawPracticeBook(s, in);
}

void LookupPanel::drawGradeTable(PrintSurface& s, const QString& statusFontName,
                                 const QString& pageFontName) const {
    drawCharacterList(s, gradeTable, statusFontName, pageFontName);
}
