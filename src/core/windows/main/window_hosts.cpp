#include "core/windows/main/window_hosts.h"

#include <QDir>
#include <QFileInfo>

#include "core/windows/main/main_window.h"

namespace {

int columnOf(SlotField f) {
    return static_cast<int>(f) + kColBefore;
}

}  // namespace

void MainWindowHosts::nameStep(const QString& name) {
    mw_.nameStep(name);
}

Platform& MainWindowHosts::platform() {
    return mw_.platform();
}
void MainWindowHosts::openWindow(WindowId id) {
    mw_.openWindow(id);
}
void MainWindowHosts::closeWindow(WindowId id) {
    mw_.closeWindow(id);
}

int MainWindowHosts::currentTracingColor() const {
    return mw_.tracingColor;
}

void MainWindowHosts::tracingChosen(int color) {
    mw_.tracingColor = color;
    mw_.label18.caption = kTracingOnCaption;
    mw_.label18.visible = true;
}

void MainWindowHosts::tracingCancelled() {
    mw_.checkItem(QStringLiteral("rnzkn"));
    mw_.label18.caption.clear();
    mw_.label18.visible = false;
}

void MainWindowHosts::setCompany(const QString& name) {
    mw_.company = name;
}

QString MainWindowHosts::company() const {
    return mw_.company;
}
ReadingDictionary& MainWindowHosts::readingDictionary() {
    return mw_.dictionary;
}
Workbook& MainWindowHosts::workbook() {
    return mw_.workbook();
}

bool MainWindowHosts::gridReadingProposed(int row) const {
    const GridCell& reading = mw_.grid.at(row).cell(kColReading);
    return reading.proposed && !reading.text.isEmpty();
}

int MainWindowHosts::gridCursorRow() const {
    return mw_.entry.enabled ? mw_.grid.row : 0;
}

QString MainWindowHosts::gridText(int row, SlotField field) const {
    return mw_.grid.at(row).cell(columnOf(field)).text;
}

void MainWindowHosts::setGridText(int row, SlotField field, const QString& text) {
    mw_.setCellText(row, columnOf(field), text);
    // A window's text was not typed: the next click must not take the input method's reading.
    mw_.grid.captureFlag = false;
    // A word that came without the input method gets ふりがな自動's proposal, as a typed one.
    mw_.proposeMissingReadings(row);
    // The entry box shows the cell under the cursor.
    const int col = mw_.grid.col;
    if (mw_.grid.row == row && (col == columnOf(field) || col == kColReading || col == kColReading2))
        mw_.entry.text = mw_.grid.at(row).cell(col).text;
}

void MainWindowHosts::setToolButtonVisible(ToolbarButton button, bool visible) {
    mw_.toolbar[button].visible = visible;
}
void MainWindowHosts::setToolButtonEnabled(ToolbarButton button, bool enabled) {
    mw_.toolbar[button].enabled = enabled;
}
void MainWindowHosts::setToolButtonPicture(ToolbarButton button, Picture picture) {
    mw_.toolbar[button].picture = picture;
}
void MainWindowHosts::setMenuEnabled(const QString& name, bool enabled) {
    mw_.setMenuEnabled(name, enabled);
}
void MainWindowHosts::enablePageCommands() {
    mw_.enableWorkbookCommands();
}
void MainWindowHosts::setWindowWidth(int twips) {
    mw_.widthTwips = twips;
}
int MainWindowHosts::windowWidth() const {
    return mw_.widthTwips;
}

void MainWindowHosts::setMemoryPanelVisible(bool visible) {
    mw_.memoryList.setVisible(visible);
}

void MainWindowHosts::setArrowPadVisible(bool visible) {
    mw_.arrowPadVisible = visible;
}
void MainWindowHosts::setTitleLabelVisible(bool visible) {
    mw_.label12.visible = visible;
}

void MainWindowHosts::ensurePageOnScreen() {
    if (!mw_.grid.at(1).number.isEmpty()) return;
    const int pages = static_cast<int>(mw_.workbook().headingList.size());
    mw_.openBlankPage(pages + 1);
}

QString MainWindowHosts::headingBoxText() const {
    return mw_.combo1.text;
}
void MainWindowHosts::setHeadingBoxColor(int bgr) {
    mw_.combo1.backColor = bgr;
}
void MainWindowHosts::focusHeadingBox() {
    mw_.focus = QStringLiteral("Combo1");
}
QString MainWindowHosts::headingLabel() const {
    return mw_.label9.caption;
}
void MainWindowHosts::showRegisterButton() {
    mw_.command2.visible = true;
}

int MainWindowHosts::secondWordToggle(int row) const {
    const GridRow& g = mw_.grid.at(row);
    if (!g.check3Enabled) return 2;
    return g.check3 ? 1 : 0;
}

void MainWindowHosts::setSecondWordToggle(int row, bool on) {
    mw_.setCheck3(row, on);
}
void MainWindowHosts::setSecondWordTooltip(int row, const QString& tooltip) {
    mw_.grid.at(row).check3Tooltip = tooltip;
}
int MainWindowHosts::numberLabelColor(int row) const {
    return mw_.grid.at(row).numberColor;
}
void MainWindowHosts::setNumberLabelColor(int row, int bgr) {
    mw_.grid.at(row).numberColor = bgr;
}
QString MainWindowHosts::fontName() const {
    return mw_.fontName;
}
QString MainWindowHosts::problemFile() const {
    return mw_.filePath;
}
void MainWindowHosts::showExampleButton() {
    mw_.lookupPanel.command4.visible = true;
}

QString MainWindowHosts::gridKanji(int row) {
    return mw_.grid.at(row).cell(kColKanji).text;
}
QString MainWindowHosts::gridReading(int row) {
    return mw_.grid.at(row).cell(kColReading).text;
}
bool MainWindowHosts::fixedPrinterMode() const {
    return !mw_.printerDialogEachTime;
}

void MainWindowHosts::setGridCell(int row, FlowTarget target, const QString& text) {
    // An emptied word takes its reading with it, as in the entry box; the reading goes first,
    // so that the print arrays, which follow the word, see both.
    if (target == FlowTarget::Kanji && text.isEmpty()) mw_.setCellText(row, kColReading, QString());
    mw_.setCellText(row, static_cast<int>(target), text);
    mw_.grid.captureFlag = false;  // as in setGridText
    mw_.proposeMissingReadings(row);
    const int col = mw_.grid.col;
    if (mw_.grid.row == row && (col == static_cast<int>(target) || col == kColReading))
        mw_.entry.text = mw_.grid.at(row).cell(col).text;
    mw_.storeGrid();
}

bool MainWindowHosts::gridRowHoldsProblem(int row) {
    const GridRow& g = mw_.grid.at(row);
    if (g.check3) return true;
    for (int c = kColBefore; c <= kColAfter2; ++c)
        if (!g.cell(c).text.isEmpty()) return true;
    return false;
}

void MainWindowHosts::clearGridRow(int row) {
    GridRow& g = mw_.grid.at(row);
    if (g.check3) {
        // Hidden without moving the cursor, as the rows are filled one after another.
        g.check3 = false;
        for (int c : {kColKanji2, kColReading2, kColAfter2}) g.cell(c).visible = false;
        g.check3Tooltip = QStringLiteral("５マス表示ボタン");
    }
    for (int c = kColBefore; c <= kColAfter2; ++c) mw_.setCellText(row, c, QString());
    if (mw_.grid.row != row) return;
    // The cursor leaves the hidden second word; the entry box shows the emptied cell.
    if (mw_.grid.col >= kColKanji2)
        mw_.selectCell(row, kColBefore);
    else
        mw_.entry.text = g.cell(mw_.grid.col).text;
}

QString MainWindowHosts::headingBoxText() {
    return mw_.combo1.text;
}
void MainWindowHosts::showNow() {
    if (mw_.showNow) mw_.showNow();
}
double MainWindowHosts::kanaOffset1() {
    return mw_.kanaOffset1;
}
double MainWindowHosts::kanaOffset2() {
    return mw_.kanaOffset2;
}

void MainWindowHosts::setKanaOffsets(double offset1, double offset2) {
    mw_.kanaOffset1 = offset1;
    mw_.kanaOffset2 = offset2;
}

QString MainWindowHosts::workbookFolder() const {
    const QString& file = mw_.workbook().currentFilePath;
    if (file.isEmpty()) return {};
    const QFileInfo info(file);
    return info.dir().exists() ? info.absolutePath() : QString();
}

MaintenanceTool MainWindowHosts::markedTool() const {
    if (mw_.checked(QStringLiteral("fc"))) return MaintenanceTool::FileMerge;
    if (mw_.checked(QStringLiteral("fch"))) return MaintenanceTool::DataEdit;
    return MaintenanceTool::None;
}

void MainWindowHosts::markTool(MaintenanceTool tool) {
    mw_.setChecked(QStringLiteral("fc"), tool == MaintenanceTool::FileMerge);
    mw_.setChecked(QStringLiteral("fch"), tool == MaintenanceTool::DataEdit);
}

QString MainWindowHosts::lookupKanji() const {
    const LookupPanel& panel = mw_.lookupPanel;
    if (!panel.visible || panel.selectedCell < 0 || panel.selectedCell >= kLookupCells) return {};
    return panel.label101[static_cast<size_t>(panel.selectedCell)].caption;
}

void MainWindowHosts::storePageOnScreen() {
    if (mw_.entry.enabled && !mw_.grid.at(1).number.isEmpty()) mw_.storeGrid();
}

void MainWindowHosts::appendTestPages(const std::vector<PageRecord>& pages) {
    // One action: the pages and the page shown are one step of the history.
    MainWindow::Action action(mw_);
    Workbook& wb = mw_.workbook();
    // The page on screen keeps what was typed on it.
    storePageOnScreen();
    const int first = static_cast<int>(wb.headingList.size());
    if (!appendPages(wb, pages)) return;
    mw_.enableWorkbookCommands();
    mw_.combo1.backColor = kColorWhite;
    mw_.choosePage(first, false);
}
