// Pages and headings: the heading box, choosing a page, blank pages, registering headings.
#include "core/data/problem_files.h"
#include "core/windows/main/command_dispatch.h"
#include "core/windows/main/main_window.h"

namespace {
const QString kDefaultHeading = QStringLiteral("れんしゅう");
}

void MainWindow::setHeadingLabel(const QString& text) {
    label9.caption = text;
    // The editing status follows the heading label and shows once a heading is there.
    label11.visible = text != kNoHeading;
    if (label11.caption == QStringLiteral("　編集中"))
        label11.caption = editingStatusCaption(effectiveLimit());
}

void MainWindow::choosePage(int k, bool storeLeaving) {
    Action action(*this);
    if (k < 0 || k >= wb_.headingList.size()) return;
    // Whatever reached the grid since the last key press belongs to the page being left.
    if (storeLeaving && entry.enabled && !grid.at(1).number.isEmpty()) storeGrid();
    wb_.currentPage = k;
    pageShown = k;
    if (checked(QStringLiteral("tf"))) fontName = wb_.page(k)[kFontField];
    combo1.text = wb_.headingList.value(k);
    command2.visible = false;
    entry.enabled = true;
    loadPage(k);
    alarmCheck();
    label11.caption = editingStatusCaption(effectiveLimit());
    setHeadingLabel(wb_.headingList.value(k));
    storeGrid();
}

void MainWindow::openBlankPage(int n, bool storeLeaving) {
    if (n > kMaxPages) {
        platform_.messageBox(
            QStringLiteral("ページは%1ページまでです。これ以上ページを追加できません。").arg(kMaxPages),
            kConfirmTitle, MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    if (storeLeaving) storeGrid();
    combo1.backColor = kColorYellow;
    entry.enabled = false;
    command2.visible = true;
    resetForBlankPage(n);
    setHeadingLabel(kNoHeading);
    grid.row = 1;
    grid.col = kColBefore;
    clearSelection();
    combo1.text.clear();
    entry.text.clear();
    entry.charCount = 0;
    entry.marker5 = entry.marker10 = false;
    grid.workNumber = QString::number((10 * (n - 1) + 1) * 10 + kColBefore);
    command2.enabled = true;
    command2.caption = QStringLiteral("見出し登録");
    combo1.enabled = true;
    focus = QStringLiteral("Combo1");
}

// The new page awaiting its heading joins the workbook under the heading box's text, by
// the register button or by Enter alike: the page, the entry box and the memory list open.
bool MainWindow::addAwaitedPage() {
    if (!wb_.hasRoomForPage()) {
        platform_.messageBox(
            QStringLiteral("ページは%1ページまでです。これ以上ページを追加できません。").arg(kMaxPages),
            kConfirmTitle, MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }
    enableWorkbookCommands();
    if (combo1.text.isEmpty()) combo1.text = kDefaultHeading;
    wb_.currentPage = wb_.pageCount;
    wb_.headingList << combo1.text;
    wb_.pageCount = static_cast<int>(wb_.headingList.size());
    for (int k = 0; k < wb_.pageCount; ++k) wb_.page(k)[kHeadingField] = wb_.headingList[k];
    entry.enabled = true;
    memoryList.list1Enabled = true;
    combo1.backColor = kColorWhite;
    return true;
}

void MainWindow::registerHeading() {
    Action action(*this);
    if (!command2.enabled || !command2.visible) return;
    nameStep(QStringLiteral("見出し登録"));
    if (!addAwaitedPage()) return;
    pageShown = wb_.currentPage;
    command2.enabled = false;
    command2.caption = QStringLiteral("登録済み");
    focus = QStringLiteral("Text1");
    setHeadingLabel(combo1.text);
    selectCell(grid.row, grid.col);
}

void MainWindow::onHeadingBoxKey(int qtKey) {
    Action action(*this);
    nameStep(combo1.backColor == kColorYellow ? QStringLiteral("見出し登録") : QStringLiteral("見出し変更"));
    if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter) {
        if (combo1.text.isEmpty()) combo1.text = kDefaultHeading;
        if (combo1.backColor == kColorYellow) {
            if (!addAwaitedPage()) return;
        } else if (wb_.currentPage >= 0 && wb_.currentPage < wb_.headingList.size()) {
            // A renamed page: the heading list shows the new name.
            wb_.headingList[wb_.currentPage] = combo1.text;
        }
        command2.visible = false;
        combo1.backColor = kColorWhite;
        pageShown = wb_.currentPage;
        entry.enabled = true;
        focus = QStringLiteral("Text1");
        setHeadingLabel(combo1.text);
        wb_.pageCount = static_cast<int>(wb_.headingList.size());
        selectCell(grid.row, grid.col);
    }
    storeGrid();
}

void MainWindow::onHeadingBoxTextEdited(const QString& text) {
    Action action(*this);
    combo1.text = text;
}

void MainWindow::blankPage(bool fromToolbar) {
    enableWorkbookCommands();
    const int n = static_cast<int>(wb_.headingList.size());
    if (n > 0) {
        if (!wb_.hasRoomForPage()) {
            platform_.messageBox(
                QStringLiteral("ページは%1ページまでです。これ以上ページを追加できません。").arg(kMaxPages),
                kConfirmTitle, MessageButtons::Ok, MessageIcon::Warning);
            return;
        }
        openBlankPage(n + 1);
    } else {
        openBlankPage(1);
        if (fromToolbar) {
            filePath = QStringLiteral("ファイル");
            if (fontName.isEmpty()) fontName = kDefaultFontName;
        }
    }
}
