// The problem grid and the entry box: selecting cells, copying the entry box into the
// cell, the reading capture, the character-limit alarm, loading and storing a page.
#include "core/windows/main/problem_grid.h"

#include <utility>

#include "core/data/problem_files.h"
#include "core/data/reading_proposer.h"
#include "core/data/text_codec.h"
#include "core/printing/print_jobs.h"
#include "core/windows/main/command_dispatch.h"
#include "core/windows/main/main_window.h"

int ProblemGrid::rowLength(int r) const {
    const GridRow& row = at(r);
    int n = 0;
    for (int c : {kColBefore, kColKanji, kColAfter, kColKanji2, kColAfter2})
        n += static_cast<int>(row.cell(c).text.size());
    return n;
}

namespace {
SlotField fieldOfColumn(int col) {
    switch (col) {
    case kColBefore: return SlotField::Before;
    case kColKanji: return SlotField::Kanji;
    case kColReading: return SlotField::Reading;
    case kColAfter: return SlotField::After;
    case kColKanji2: return SlotField::Kanji2;
    case kColReading2: return SlotField::Reading2;
    default: return SlotField::After2;
    }
}

// A cell holds one line: line breaks of pasted text are dropped.
QString singleLine(const QString& text) {
    if (!text.contains(u'\n') && !text.contains(u'\r')) return text;
    QString t = text;
    t.remove(u'\r');
    t.remove(u'\n');
    return t;
}
}  // namespace

int MainWindow::effectiveLimit() const {
    return checked(QStringLiteral("psp")) ? 22 : characterLimit;
}

int MainWindow::currentPageIndex() const {
    return pageIndexFromNumber(grid.at(1).number);
}

int MainWindow::cellColor(int row, int col) const {
    const GridCell& cell = grid.at(row).cell(col);
    return cell.proposed && !cell.text.isEmpty() ? kColorProposed : kCellBaseColor[static_cast<size_t>(col)];
}

void MainWindow::clearSelection() {
    for (int r = 1; r <= 10; ++r)
        for (int c = kColBefore; c <= kColAfter2; ++c) {
            grid.at(r).cell(c).border = false;
            grid.at(r).cell(c).backColor = cellColor(r, c);
        }
}

void MainWindow::selectCell(int row, int col) {
    if (row < 1 || row > 10 || col < kColBefore || col > kColAfter2) return;
    clearSelection();
    GridCell& cell = grid.at(row).cell(col);
    cell.border = true;
    const int base = kCellBaseColor[static_cast<size_t>(col)];
    cell.backColor = base;
    grid.workNumberColor = base;
    entry.backColor = base;
    // The cursor moves before the entry box takes the cell's text, so the change handler
    // that runs at once copies the text back into the same cell.
    grid.row = row;
    grid.col = col;
    setEntryText(cell.text);
    grid.workNumber = QString::number((10 * currentPageIndex() + row) * 10 + col);
}

void MainWindow::setEntryText(const QString& text) {
    const QString t = singleLine(text);
    entry.text = t;
    onEntryBoxChanged();
}

void MainWindow::onEntryTextEdited(const QString& text) {
    Action action(*this);
    nameStep(QStringLiteral("入力"),
             QStringLiteral("%1:%2:%3").arg(currentPageIndex()).arg(grid.row).arg(grid.col));
    setEntryText(text);
}

void MainWindow::onEntryBoxChanged() {
    exitAsksAnyway = true;
    const int r = grid.row;
    const int c = grid.col;
    setCellText(r, c, entry.text);
    int captured = 0;
    if (c == kColKanji || c == kColKanji2) {
        if (grid.captureFlag) {
            setCellText(r, c + 1, textcodec::widenToHiragana(platform_.lastCommitReading()));
            // Text that came without the input method brings no reading to mark.
            if (!grid.at(r).cell(c + 1).text.isEmpty()) captured = c + 1;
        }
        if (entry.text.isEmpty()) {
            setCellText(r, c + 1, QString());
            captured = 0;
        } else if (!captured) {
            proposeReading(r, c);
        }
    }
    // The row's sentence changed: a reading that is still the proposer's is read again.
    if (c != kColReading && c != kColReading2)
        for (int k : {kColKanji, kColKanji2})
            if (k != c && grid.at(r).cell(k + 1).proposed) proposeReading(r, k);
    alarmCheck();
    // The captured reading stays marked until the next selection change or alarm check.
    if (captured) grid.at(r).cell(captured).backColor = kColorCaptured;
    grid.captureFlag = false;
    entry.charCount = static_cast<int>(entry.text.size());
    entry.marker5 = entry.charCount >= 5;
    entry.marker10 = entry.charCount >= 10;
}

void MainWindow::proposeReading(int row, int kanjiCol) {
    if (!checked(QStringLiteral("yauto"))) return;
    GridCell& reading = grid.at(row).cell(kanjiCol + 1);
    // A reading from the input method or typed by the teacher is never replaced.
    if (!reading.text.isEmpty() && !reading.proposed) return;
    const GridRow& g = grid.at(row);
    const QString& kanji2 = g.cell(kColKanji2).text;
    const QString tail = kanji2.isEmpty() ? QString() : kanji2 + g.cell(kColAfter2).text;
    const std::optional<QString> proposal =
        kanjiCol == kColKanji
            ? ::proposeReading(g.cell(kColBefore).text, g.cell(kColKanji).text, g.cell(kColAfter).text + tail)
            : ::proposeReading(g.cell(kColBefore).text + g.cell(kColKanji).text + g.cell(kColAfter).text,
                               kanji2, g.cell(kColAfter2).text);
    setCellText(row, kanjiCol + 1, proposal.value_or(QString()));
    // Also when empty: the reading stays the proposer's until the row tells it.
    reading.proposed = true;
    reading.backColor = cellColor(row, kanjiCol + 1);
}

void MainWindow::proposeMissingReadings(int row) {
    if (!checked(QStringLiteral("yauto"))) return;
    for (int k : {kColKanji, kColKanji2}) {
        if (grid.at(row).cell(k).text.isEmpty()) continue;
        const GridCell& reading = grid.at(row).cell(k + 1);
        if (reading.text.isEmpty() || reading.proposed) proposeReading(row, k);
    }
}

void MainWindow::setCellText(int row, int col, const QString& text) {
    GridCell& cell = grid.at(row).cell(col);
    if (cell.text == text) return;
    cell.text = text;
    cell.proposed = false;
    // The cell is the page's: the workbook holds what the grid shows at once.
    if (const std::optional<int> p = workbookPageOnScreen(); p && !loadingPage_) {
        PageRecord& rec = wb_.page(*p);
        rec[static_cast<size_t>(slotFieldIndex(row, fieldOfColumn(col)))] = text;
        wb_.pageLines[static_cast<size_t>(*p)] = pageLine(rec, pageFontName());
    }
    if (col == kColKanji || col == kColKanji2) grid.captureFlag = true;
    // The practice sheet's button names the words of the page on screen.
    if (col == kColKanji && manuscriptWindow.isOpen()) manuscriptWindow.refreshPracticeCaption();
    reflowRow(row);
    if (col != kColReading && col != kColReading2) alarmCheck();
}

void MainWindow::reflowRow(int row) {
    GridRow& g = grid.at(row);
    int left = kNumberLeft + kNumberWidth + kCellGap;
    for (int c : {kColBefore, kColKanji, kColAfter, kColKanji2, kColAfter2}) {
        GridCell& cell = g.cell(c);
        cell.width = cellWidthFor(cell.text);
        cell.left = left;
        left += cell.width;
    }
    for (int c : {kColReading, kColReading2}) {
        GridCell& reading = g.cell(c);
        const GridCell& kanji = g.cell(c - 1);
        reading.left = kanji.left;
        // Readings are set small: about two thirds of a writing cell per character.
        reading.width = qMax(kanji.width, static_cast<int>(reading.text.size()) * 220 + 60);
    }
}

void MainWindow::alarmCheck() {
    const int limit = effectiveLimit();
    for (int r = 1; r <= 10; ++r) {
        GridRow& g = grid.at(r);
        const int n = grid.rowLength(r);
        if (n > limit) {
            for (int c = kColBefore; c <= kColAfter2; ++c) g.cell(c).backColor = kColorAlarm;
            platform_.beep();
        } else {
            g.numberColor = n >= 1 ? kColorRowUsed : kColorRowEmpty;
            for (int c = kColBefore; c <= kColAfter2; ++c) g.cell(c).backColor = cellColor(r, c);
        }
    }
    updateGradeMarks();
}

void MainWindow::onCellClick(int row, int col) {
    Action action(*this);
    if (!entry.enabled) return;
    focus = QStringLiteral("Text1");
    onEntryFocus();
    selectCell(row, col);
}

void MainWindow::onEntryFocus() {
    lookupPanel.onEntryBoxFocus();
}

void MainWindow::onEntryKeyPress(int qtKey, const QString&) {
    Action action(*this);
    if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter) {
        onEnterInEntryBox();
        return;
    }
    storeGrid();
}

void MainWindow::onCheck3Click(int row) {
    Action action(*this);
    if (row < 1 || row > 10 || !grid.at(row).check3Enabled) return;
    setCheck3(row, !grid.at(row).check3);
}

void MainWindow::setCheck3(int row, bool on) {
    if (grid.at(row).check3 == on) return;
    grid.at(row).check3 = on;
    toggleSecondWord(row);
}

void MainWindow::toggleSecondWord(int row) {
    GridRow& g = grid.at(row);
    const bool on = g.check3;
    for (int c : {kColKanji2, kColReading2, kColAfter2}) g.cell(c).visible = on;
    focus = QStringLiteral("Text1");
    clearSelection();
    selectCell(row, on ? kColKanji2 : kColBefore);
    g.check3Tooltip = QStringLiteral("３マス表示ボタン");
}

void MainWindow::eraseReadingsCommand() {
    if (platform_.messageBox(QStringLiteral("このページのふりがなを全て消去します。よろしいですか？"),
                             kConfirmTitle, MessageButtons::YesNo,
                             MessageIcon::Question) != MessageAnswer::Yes)
        return;
    eraseReadings();
    onEntryKeyPress(0);  // the erased readings are stored like a key press
}

void MainWindow::eraseReadings() {
    for (int r = 1; r <= 10; ++r) {
        setCellText(r, kColReading, QString());
        setCellText(r, kColReading2, QString());
    }
}

void MainWindow::loadPage(int p) {
    if (p < 0 || p >= kPageTableRows) return;
    // The grid takes the page's texts; nothing of them goes back while it does.
    loadingPage_ = true;
    const PageRecord& rec = std::as_const(wb_).page(p);
    for (int r = 1; r <= 10; ++r) grid.at(r).number = QString::number(problemNumber(p, r));
    if (combo1.backColor == kColorYellow && !wb_.headingList.isEmpty()) combo1.backColor = kColorWhite;
    for (int r = 1; r <= 10; ++r) {
        for (GridCell& cell : grid.at(r).cells) cell.proposed = false;  // the page's readings are its own
        setCellText(r, kColBefore, rec[static_cast<size_t>(slotFieldIndex(r, SlotField::Before))]);
        setCellText(r, kColKanji, rec[static_cast<size_t>(slotFieldIndex(r, SlotField::Kanji))]);
        setCellText(r, kColReading, rec[static_cast<size_t>(slotFieldIndex(r, SlotField::Reading))]);
        setCellText(r, kColAfter, rec[static_cast<size_t>(slotFieldIndex(r, SlotField::After))]);
    }
    setHeadingLabel(rec[kHeadingField]);
    grid.row = 1;
    grid.col = kColBefore;
    grid.workNumberColor = kCellBaseColor[kColBefore];
    entry.backColor = kCellBaseColor[kColBefore];
    for (int r = 1; r <= 10; ++r) {
        setCellText(r, kColKanji2, rec[static_cast<size_t>(slotFieldIndex(r, SlotField::Kanji2))]);
        setCellText(r, kColReading2, rec[static_cast<size_t>(slotFieldIndex(r, SlotField::Reading2))]);
        setCellText(r, kColAfter2, rec[static_cast<size_t>(slotFieldIndex(r, SlotField::After2))]);
        // Loaded texts were not typed: the toggle's move onto kanji2 must not capture a
        // reading over the loaded reading2.
        grid.captureFlag = false;
        setCheck3(r, !grid.at(r).cell(kColKanji2).text.isEmpty());
        for (int c : {kColKanji2, kColReading2, kColAfter2}) grid.at(r).cell(c).visible = grid.at(r).check3;
    }
    grid.captureFlag = false;
    loadingPage_ = false;
    // The entry box must show the cell under the cursor, or the next key would carry
    // text of the page left behind into this one.
    selectCell(1, kColBefore);
}

std::optional<int> MainWindow::workbookPageOnScreen() const {
    // A blank page awaiting its heading is not the workbook's yet.
    if (!entry.enabled || grid.at(1).number.isEmpty()) return std::nullopt;
    const int p = currentPageIndex();
    if (p < 0 || p >= kMaxPages || p >= wb_.headingList.size()) return std::nullopt;
    return p;
}

QString MainWindow::pageFontName() const {
    return fontName.isEmpty() || fontName == u"フォント" ? kDefaultFontName : fontName;
}

void MainWindow::writeGridToPage(int p) {
    PageRecord& rec = wb_.page(p);
    for (int r = 1; r <= 10; ++r)
        for (int c = kColBefore; c <= kColAfter2; ++c) {
            QString& field = rec[static_cast<size_t>(slotFieldIndex(r, fieldOfColumn(c)))];
            if (field != grid.at(r).cell(c).text) field = grid.at(r).cell(c).text;
        }
    rec[kHeadingField] = label9.caption;
    wb_.pageLines[static_cast<size_t>(p)] = pageLine(rec, pageFontName());
}

void MainWindow::writePageOnScreen() {
    if (const std::optional<int> p = workbookPageOnScreen()) writeGridToPage(*p);
}

void MainWindow::storeGrid() {
    const int p = currentPageIndex();
    if (p < 0 || p >= kMaxPages) return;
    if (fontName.isEmpty() || fontName == QStringLiteral("フォント")) fontName = kDefaultFontName;
    writeGridToPage(p);
    exitAsksAnyway = false;
}

QStringList MainWindow::workbookLines() const {
    QStringList lines;
    const int pages = static_cast<int>(wb_.headingList.size());
    for (int p = 0; p < pages && p < kMaxPages; ++p) lines << wb_.pageLines[static_cast<size_t>(p)];
    return lines;
}

void MainWindow::markWorkSaved() {
    // Saving stores the page on screen as the file has it; that is no step of its own.
    writePageOnScreen();
    history.markSaved(wb_);
}

bool MainWindow::hasUnsavedWork() const {
    // Steps away from the point last opened or saved, or a change the action under way has
    // made and the history will record when it ends.
    return !history.atSavedPoint() || history.hasUnrecordedChange(wb_);
}

void MainWindow::resetForBlankPage(int n) {
    for (int r = 1; r <= 10; ++r) {
        GridRow& g = grid.at(r);
        g.number = QString::number(10 * (n - 1) + r);
        g.numberColor = kColorRowEmpty;
        for (GridCell& cell : g.cells) cell.proposed = false;
        for (int c = kColBefore; c <= kColAfter2; ++c) setCellText(r, c, QString());
        setCheck3(r, false);
        for (int c : {kColKanji2, kColReading2, kColAfter2}) g.cell(c).visible = false;
    }
    grid.captureFlag = false;
}

void MainWindow::onNumberLabelClick(int row) {
    Action action(*this);
    nameStep(QStringLiteral("削除して記憶"));
    memoryList.onNumberLabelClick(row);
}
