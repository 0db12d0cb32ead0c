// The one door every user event comes in by, and 元に戻す / やり直し: every user action ends in
// one notification, and what it changed in the workbook becomes one step of the history.
#include "core/windows/main/commands.h"
#include "core/windows/main/main_window.h"

namespace {
const QString kTypingStep = QStringLiteral("入力");
const QString kUnnamedStep = QStringLiteral("編集");
}  // namespace

MainWindow::Action::Action(MainWindow& mw) : mw_(mw) {
    ++mw_.actionDepth_;
}

MainWindow::Action::~Action() {
    if (--mw_.actionDepth_ == 0) mw_.finishAction();
}

void MainWindow::handle(const std::function<void()>& event) {
    Action action(*this);
    event();
}

void MainWindow::nameStep(const QString& name, const QString& typingKey) {
    // The outermost command names the step: a command that types into cells stays itself.
    if (!stepName_.isEmpty()) return;
    stepName_ = name;
    stepKey_ = typingKey;
}

void MainWindow::finishAction() {
    if (!travelling_) {
        // The heading and the font of the page on screen may have changed with the action.
        writePageOnScreen();
        history.record(wb_, stepName_.isEmpty() ? kUnnamedStep : stepName_, currentPageIndex(), stepKey_,
                       historyWindowState());
    }
    stepName_.clear();
    stepKey_.clear();
    showHistoryInMenu();
    showToolbarTwinsInMenu();
    if (changed) changed();
}

void MainWindow::startHistory() {
    writePageOnScreen();
    history.reset(wb_, historyWindowState());
    showHistoryInMenu();
}

void MainWindow::undoCommand() {
    travelHistory(true);
}

void MainWindow::redoCommand() {
    travelHistory(false);
}

void MainWindow::travelHistory(bool back) {
    // Typing the last action left in the grid is a step of its own before anything is undone.
    writePageOnScreen();
    history.record(wb_, kTypingStep, currentPageIndex(), {}, historyWindowState());
    travelling_ = true;
    const std::optional<int> page = back ? history.undo(wb_) : history.redo(wb_);
    if (page) {
        restoreHistoryWindowState(history.windowState());
        // The page the change was made on is shown as the history left it.
        if (wb_.headingList.isEmpty()) {
            openBlankPage(1, false);
        } else {
            const int k = std::clamp(*page, 0, static_cast<int>(wb_.headingList.size()) - 1);
            combo1.text = wb_.headingList.value(k);
            combo1.backColor = kColorWhite;
            choosePage(k, false);
        }
    }
    travelling_ = false;
    stepName_.clear();
}

QStringList MainWindow::historyWindowState() const {
    return {fontName,
            QString::number(problemFontSize),
            lastFontDialog.name,
            QString::number(lastFontDialog.size),
            lastFontDialog.bold ? QStringLiteral("1") : QString(),
            lastFontDialog.italic ? QStringLiteral("1") : QString()};
}

void MainWindow::restoreHistoryWindowState(const QStringList& state) {
    if (state.size() != 6) return;  // a step from before the window was set up
    fontName = state[0];
    problemFontSize = state[1].toInt();
    lastFontDialog = FontChoice{state[2], state[3].toDouble(), !state[4].isEmpty(), !state[5].isEmpty()};
}

void MainWindow::showToolbarTwinsInMenu() {
    for (const Command& c : commandTable()) {
        if (c.toolbarTwin <= 0 || c.isToolbarButton()) continue;
        const ToolButton& b = toolbar[static_cast<size_t>(c.toolbarTwin)];
        setMenuEnabled(QString::fromUtf8(c.id), b.visible && b.enabled);
    }
}

void MainWindow::showHistoryInMenu() {
    if (MenuItem* undo = menu(QStringLiteral("undo"))) {
        undo->enabled = history.canUndo();
        undo->caption = QStringLiteral("元に戻す") +
                        (history.canUndo() ? QStringLiteral("「%1」").arg(history.undoName()) : QString());
    }
    if (MenuItem* redo = menu(QStringLiteral("redo"))) {
        redo->enabled = history.canRedo();
        redo->caption = QStringLiteral("やり直し") +
                        (history.canRedo() ? QStringLiteral("「%1」").arg(history.redoName()) : QString());
    }
}
