#include "core/windows/main/main_window.h"

#include <QDir>
#include <QFile>

#include "core/data/problem_files.h"
#include "core/data/reading_proposer.h"
#include "core/data/settings.h"
#include "core/windows/main/commands.h"

MainWindow::MainWindow(Platform& platform, Workbook& workbook) : platform_(platform), wb_(workbook) {
    for (int i = 1; i <= kLastToolbarButton; ++i) toolbar[static_cast<size_t>(i)].separator = true;
    for (const Command& c : commandTable()) {
        if (c.isToolbarButton()) {
            ToolButton& t = toolbar[static_cast<size_t>(c.toolbarIndex)];
            t.separator = false;
            t.caption = QString::fromUtf8(c.caption);
            t.tooltip = QString::fromUtf8(c.tooltip);
            t.picture = c.picture;
            t.enabled = c.enabled;
            t.visible = c.visible;
            continue;
        }
        MenuItem m;
        m.name = QString::fromUtf8(c.id);
        m.caption = QString::fromUtf8(c.caption);
        m.parent = QString::fromUtf8(c.parent);
        m.separator = c.isSeparator();
        m.checked = c.checked;
        m.enabled = c.enabled;
        m.visible = c.visible;
        menus.push_back(m);
    }
    history.reset(wb_);
    for (int r = 1; r <= 10; ++r) {
        GridRow& row = grid.at(r);
        for (int c = kColBefore; c <= kColAfter2; ++c) {
            row.cell(c).backColor = kCellBaseColor[static_cast<size_t>(c)];
            row.cell(c).visible = c < kColKanji2;
        }
        row.check3Tooltip = QStringLiteral("５マス表示ボタン");
    }
}

MenuItem* MainWindow::menu(const QString& name) {
    for (MenuItem& m : menus)
        if (m.name == name) return &m;
    return nullptr;
}

const MenuItem* MainWindow::menu(const QString& name) const {
    for (const MenuItem& m : menus)
        if (m.name == name) return &m;
    return nullptr;
}

bool MainWindow::checked(const QString& name) const {
    const MenuItem* m = menu(name);
    return m && m->checked;
}

void MainWindow::setChecked(const QString& name, bool on) {
    if (MenuItem* m = menu(name)) m->checked = on;
}

void MainWindow::setMenuEnabled(const QString& name, bool on) {
    if (MenuItem* m = menu(name)) m->enabled = on;
}

void MainWindow::checkItem(const QString& name) {
    for (const QString& g : radioGroupOf(name)) setChecked(g, g == name);
}

void MainWindow::startUp() {
    Action action(*this);
    readingSpacing = 20.0 / 35.0;
    memoryList.setVisible(false);  // the memory panel starts hidden
    for (const Command& c : commandTable()) {
        if (!c.needsWorkbook) continue;
        if (c.isToolbarButton())
            toolbar[static_cast<size_t>(c.toolbarIndex)].enabled = false;
        else
            setMenuEnabled(QString::fromUtf8(c.id), false);
    }
    for (ToolbarButton b : {kGradeListButton, kPracticeBookButton, kCompanyButton, kTextFlowButton})
        toolbar[b].visible = false;
    for (ToolbarButton b : {kCompanyButton, kTextFlowButton}) toolbar[b].enabled = false;
    widthTwips = 9700;
    command4.visible = false;

    const SettingsReadResult s = readSettings(settingsFileToRead(platform_, kSettingsFileName),
                                              QDir(platform_.configDirectory()).filePath(kSettingsFileName));
    settingsFileWasMissing = s.fileNotFound;
    // A settings file read only in part keeps what was read; the user hears why, and the
    // shut-down keeps a copy before writing over it.
    if (!s.fileNotFound && !s.readWhole && !s.problem.isEmpty())
        platform_.messageBox(s.problem, kConfirmTitle, MessageButtons::Ok, MessageIcon::Warning);
    kanaOffset1 = s.settings.kanaOffset1;
    kanaOffset2 = s.settings.kanaOffset2;

    fontName = s.settings.fontLine;
    if (fontName.isEmpty()) {
        fontName = kDefaultFontName;
        setChecked(QStringLiteral("tf"), true);
    }
    company = s.settings.companyLine.isEmpty() ? kNoCompany : s.settings.companyLine;
    const bool tracing = !s.settings.tracingLine.isEmpty();
    label18.caption = tracing ? kTracingOnCaption : QString();
    setChecked(QStringLiteral("rnzky"), tracing);
    setChecked(QStringLiteral("rnzkn"), !tracing);

    cursorKeys = CursorKeyType::Soft;
    toolbar[kClearAllButton].enabled = false;
    setHeadingLabel(kNoHeading);
    exitAsksAnyway = true;

    for (int r = 1; r <= 10; ++r) reflowRow(r);
    entry.enabled = false;

    characterLimit = 15;
    checkItem(QStringLiteral("lon14"));
    // The printer mode starts as "a dialog before each print"; the mark says so.
    printerDialogEachTime = true;
    checkItem(QStringLiteral("upri"));
    problemFontSize = 25;
    lastFontDialog = FontChoice{fontName, 25, false, false};
    const ProgramOptions options = readProgramOptions(settingsFileToRead(platform_, kProgramOptionsFileName));
    if (options.furiganaAuto) setChecked(QStringLiteral("yauto"), ReadingProposer::shared().isAvailable());
    applyGradeOptions(options);
}

std::array<QString, 6> MainWindow::statusPanels() const {
    return {QString(),
            filePath,
            fontName,
            QStringLiteral("フォントサイズ") + QString::number(problemFontSize),
            pageShown ? pageNumberText(*pageShown) : QStringLiteral("作業番号"),
            company};
}

bool MainWindow::exitCommand() {
    // The data edit tool closes first, as its "終了" does, asking about its own unsaved edits;
    // a cancel keeps everything.
    if (!dataEditWindow.onCommand2()) return false;
    // Unsaved work asks, and so do the moments exitAsksAnyway keeps.
    if ((exitAsksAnyway || hasUnsavedWork()) &&
        platform_.messageBox(QStringLiteral("保存されていませんが、終了しますか？"), kConfirmTitle,
                             MessageButtons::YesNo, MessageIcon::Warning) == MessageAnswer::No)
        return false;
    shutDown();
    return true;
}

void MainWindow::writeSettingsFile(bool full) {
    Settings s;
    s.fontLine = fontName;
    s.kanaOffset1 = kanaOffset1;
    s.kanaOffset2 = kanaOffset2;
    s.companyLine = company;
    s.tracingLine = label18.caption;
    QStringList failures;
    QString error;
    if (!writeSettings(settingsFileToWrite(platform_, kSettingsFileName), s, full, &error)) failures << error;
    if (full &&
        !writeProgramOptions(settingsFileToWrite(platform_, kProgramOptionsFileName), gradeOptions(), &error))
        failures << error;
    // Said once a run: a file that cannot be written now seldom can be a moment later.
    if (failures.isEmpty() || settingsFailureReported_) return;
    settingsFailureReported_ = true;
    platform_.messageBox(
        failures.join(u'\n') + QStringLiteral("\n変更した設定は、次に起動したときには使われません。"),
        kErrorTitle, MessageButtons::Ok, MessageIcon::Warning);
}

void MainWindow::shutDown() {
    if (closed_) return;
    Action action(*this);
    writeSettingsFile(true);
    // Every secondary window is unloaded, running its own unload.
    for (WindowModel* w : secondaryWindows) closeWindow(w->id());
    closed_ = true;
}

void MainWindow::enableWorkbookCommands() {
    for (const Command& c : commandTable()) {
        if (!c.needsWorkbook) continue;
        if (c.isToolbarButton())
            toolbar[static_cast<size_t>(c.toolbarIndex)].enabled = true;
        else
            setMenuEnabled(QString::fromUtf8(c.id), true);
    }
    label12.visible = false;
    combo1.enabled = true;
    focus = QStringLiteral("Combo1");
    for (int r = 1; r <= 10; ++r) {
        grid.at(r).check3Enabled = true;
        grid.at(r).check3Tooltip = QStringLiteral("５マス表示ボタン");
    }
}

void MainWindow::notAvailable(const QString& what) {
    platform_.messageBox(QStringLiteral("「%1」はまだ使えません。").arg(what), kConfirmTitle,
                         MessageButtons::Ok, MessageIcon::Information);
}

void MainWindow::openWindow(WindowId id) {
    Action action(*this);
    // An open window stays as it is; the view shows it again.
    window(id).open();
}

void MainWindow::closeWindow(WindowId id) {
    WindowModel& w = window(id);
    if (!w.isOpen()) return;
    Action action(*this);
    w.close();
}

void MainWindow::onLabel18Click() {
    Action action(*this);
    checkItem(QStringLiteral("rnzkn"));
    label18.caption.clear();
}
