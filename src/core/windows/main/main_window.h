// The main window "2011字楽坊" as a model: its controls as data, its events as member
// functions. The Qt view binds widgets to this state; tests drive it with a fake Platform.
#pragma once

#include "core/data/grade_check.h"
#include "core/data/reading_dictionary.h"
#include "core/data/settings.h"
#include "core/data/workbook.h"
#include "core/data/workbook_history.h"
#include "core/data/workbook_lock.h"
#include "core/message_titles.h"
#include "core/platform.h"
#include "core/printing/print_page.h"
#include "core/windows/control_state.h"
#include "core/windows/main/problem_grid.h"
#include "core/windows/main/toolbar_buttons.h"
#include "core/windows/main/window_hosts.h"
#include "core/windows/window_id.h"

enum class SheetKind;  // printing/print_jobs.h

struct Command;

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <vector>

inline const QString kWindowCaption = kProgramName;
inline const QString kNoHeading = QStringLiteral("頁の見出し");
// Options of this program that JRB3.ini has no line for.
inline const QString kTracingOnCaption = QStringLiteral("漢字なぞり書きあり");

struct MenuItem {
    QString name;
    QString caption;
    QString parent;  // empty for a top-level menu
    bool separator = false;
    bool checked = false;
    bool enabled = true;
    bool visible = true;
};

struct ToolButton {
    QString caption;
    QString tooltip;
    Picture picture = kNoPicture;
    bool separator = false;
    bool visible = true;
    bool enabled = true;
};

enum class CursorKeyType { Hard, Soft, DownOnly };

class MainWindow {
public:
    MainWindow(Platform& platform, Workbook& workbook);

    Platform& platform() { return platform_; }
    Workbook& workbook() { return wb_; }
    const Workbook& workbook() const { return wb_; }

    // --- life cycle, menu state, the secondary windows (main_window.cpp) ---
    void startUp();
    // "終了": asks about unsaved changes; true when the window closed.
    bool exitCommand();
    // Runs on every way of closing: writes the settings, unloads the other windows.
    void shutDown();
    bool isClosed() const { return closed_; }
    void enableWorkbookCommands();

    std::vector<MenuItem> menus;
    std::array<ToolButton, kLastToolbarButton + 1> toolbar;  // 1..kLastToolbarButton
    MenuItem* menu(const QString& name);
    const MenuItem* menu(const QString& name) const;
    bool checked(const QString& name) const;
    void setChecked(const QString& name, bool on);
    void setMenuEnabled(const QString& name, bool on);
    // Moves the check mark to `name` within its radio group.
    void checkItem(const QString& name);

    void onLabel18Click();  // a click on the tracing mark turns tracing off
    bool tracingOn() const { return checked(QStringLiteral("rnzky")); }

    // --- from a click to its command (command_dispatch.cpp; the table in commands.cpp) ---
    void onToolbarClick(int index);
    void onMenu(const QString& name);

    // --- the workbook's file: new, open, save, the title (workbook_files.cpp) ---
    void openCommand(bool fromToolbar);  // "呼出", toolbar 1
    void newWorkbook(bool ask);
    // The open dialog, then the file: false when the file was refused (the window is left
    // as it was).
    bool openProblemFile();
    // Opens a problem file given on the command line, as "呼出" would after the dialog.
    void openFileFromCommandLine(const QString& path);
    void saveFromToolbar();
    void saveFromMenu();
    // True when the workbook reached the disk.
    bool saveWorkbook();
    // Before a command that replaces the workbook: with unsaved work, asks whether to save
    // it first. False when the user cancelled or the save did not reach the disk.
    bool confirmUnsavedWork(const QString& question);
    // "三年一組.mojx* - 2011字楽坊": the file, a mark while work is unsaved, the program.
    QString windowTitle() const;

    // --- CSV: "CSV書き出し", "CSV読み込み" (csv_commands.cpp) ---
    void csvExportCommand();
    void csvImportCommand();

    // --- option commands: fonts, limits, modes (option_commands.cpp) ---
    void fontCommand(int which);  // 0: button 15, 1: "常時設定", 2: "一時設定"
    void setCharacterLimit(int limit);
    void setReadingSpacing(bool narrow);  // "普通" / "狭い"
    void fixPrinterCommand();             // "設定変更"
    void autoReadingCommand();            // "ふりがな自動"
    void openWebSite();                   // "ナナホシ舎webサイト"

    // --- printing (print_commands.cpp) ---
    void printCommand(SheetKind kind, bool fromToolbar);  // toolbar 6..10 and their menu items
    // Toolbar 23 and "学年配当表印刷": the grade table; toolbar 24: the practice book.
    void printGradeTable();
    void printPracticeBook();

    // --- pages and headings: the heading box, choosing a page, blank pages (pages.cpp) ---
    void blankPage(bool fromToolbar);  // "白紙", toolbar 2
    // storeLeaving: store the page on screen first (not when a new file replaced it).
    void choosePage(int index, bool storeLeaving = true);
    void openBlankPage(int pageNumber, bool storeLeaving = true);
    void registerHeading();  // "見出し登録"
    // The page awaiting its heading joins the workbook; false when the workbook is full.
    bool addAwaitedPage();
    void onHeadingBoxKey(int qtKey);
    void onHeadingBoxTextEdited(const QString& text);
    void setHeadingLabel(const QString& text);

    // --- the grid cursor: Enter, the arrow keys, the arrow pad (grid_cursor.cpp) ---
    void onEnterInEntryBox();
    void onArrowKey(int qtKey);         // hard type, anywhere in the window
    void onArrowImageClick(int image);  // soft type: 2 up, 3 down, 4 left, 5 right
    void setCursorKeyType(CursorKeyType t);

    // --- the problem grid and the entry box (problem_grid.cpp) ---
    int effectiveLimit() const;
    void selectCell(int row, int col);
    void clearSelection();
    void setEntryText(const QString& text);  // runs onEntryBoxChanged
    void onEntryBoxChanged();
    // The entry box's text as the user left it (typed, pasted or committed).
    void onEntryTextEdited(const QString& text);
    void onCellClick(int row, int col);
    void onNumberLabelClick(int row);                           // "削除して記憶"
    void onEntryKeyPress(int qtKey, const QString& text = {});  // before the key reaches the box
    void onEntryFocus();
    void onCheck3Click(int row);
    void setCheck3(int row, bool on);
    void toggleSecondWord(int row);
    void setCellText(int row, int col, const QString& text);
    void reflowRow(int row);
    void alarmCheck();
    // ふりがな自動: a reading proposed for the word in kanjiCol (kanji or kanji2) of the row
    // when its reading is empty or still the proposer's; asked again whenever the row's text
    // changes.
    void proposeReading(int row, int kanjiCol);
    // ふりがな自動 for every word of the row that has no reading of its own (empty, or still
    // a proposal): however the word reached the row (typed, copied from the lookup panel,
    // brought back from the memory list, poured by text flow).
    void proposeMissingReadings(int row);
    // A cell's colour when not selected and not alarmed: its column's, or the proposal's.
    int cellColor(int row, int col) const;
    void eraseReadingsCommand();  // "ふりがな消去"
    void eraseReadings();
    void loadPage(int pageIndex);
    // Writes the grid, the heading label and the line into page record p, whether or not the
    // page is the workbook's yet (a blank page awaiting its heading keeps its texts too).
    void storeGrid();
    int currentPageIndex() const;
    // The workbook's page the grid shows: none while the grid shows a blank page awaiting its
    // heading, or no page. The grid's cells write through to it as they change.
    std::optional<int> workbookPageOnScreen() const;
    // The heading label and the font of the page on screen into its record and file line, as
    // every action ends (its cells are there already).
    void writePageOnScreen();
    // The face a page's file line names: the status bar's, ＭＳ Ｐ明朝 before there is one.
    QString pageFontName() const;
    // Work that a save has not reached: the history is not at the point last opened or saved,
    // or the action under way has changed the workbook.
    bool hasUnsavedWork() const;
    // The exit question asks beyond unsaved work while this is set: from start-up, after a
    // key in the entry box, a 保存 from the menu (whatever came of it), a save that failed and
    // a CSV import; storing the page on screen and a save from the toolbar or the question
    // before a command clear it.
    bool exitAsksAnyway = true;
    // The file lines of the workbook's pages.
    QStringList workbookLines() const;
    void markWorkSaved();
    void resetForBlankPage(int pageNumber);

    // --- what the status bar shows (statusPanels() gives its texts) ---
    QString filePath = QStringLiteral("ファイル");  // the workbook's file; "ファイル" before it has one
    QString fontName = QStringLiteral("フォント");  // the font of the problems
    std::optional<int> pageShown;                   // index of the page on screen, once one was chosen
    QString company;                                // the textbook company, or kNoCompany
    // The texts of status-bar panels 1..5 ([0] is unused): the file, the font, the font size
    // (problemFontSize), the page ("作業番号" before one) and the company.
    std::array<QString, 6> statusPanels() const;

    // --- other controls ---
    QString caption = kWindowCaption;
    int widthTwips = 9700;
    ComboControl combo1{.backColor = kColorWhite};  // the heading box
    ButtonControl command2{QStringLiteral("見出し登録")}, command4{QStringLiteral("例文表示")};
    LabelControl label9{kNoHeading};                                     // heading of the page on screen
    LabelControl label11{QStringLiteral("　編集中")};                    // editing status
    LabelControl label12{QStringLiteral("漢字練習プリント作成ソフト")};  // title caption
    LabelControl label10{QStringLiteral("小学校漢字学習用")};
    LabelControl label18;  // tracing mark
    bool arrowPadVisible = true;
    std::array<bool, 6> arrowImages{true, true, true, true, true, true};  // Image1..Image5
    QString focus;  // name of the control with the keyboard focus

    ProblemGrid grid;
    EntryBoxState entry;

    // --- options ---
    int characterLimit = 15;
    double readingSpacing = 20.0 / 35.0;
    int problemFontSize = 25;
    bool printerDialogEachTime = true;
    int tracingColor = 14737632;
    double kanaOffset1 = 0, kanaOffset2 = 0;
    CursorKeyType cursorKeys = CursorKeyType::Soft;
    QString dialogFileName;  // the common dialog's current file name
    FontChoice lastFontDialog;
    bool settingsFileWasMissing = false;
    bool arrowKeysActive = false;

    // --- the class's grade: 印刷オプション 学年 and the grid's marks (grade_marks.cpp) ---
    // The grade checked under 学年: 1..6, 0 for 自動 (each page's highest answer grade).
    int chosenGrade() const;
    void setChosenGrade(int grade);
    // The grade of each kanji in the dictionary of the company in panel 5, read once a company.
    std::shared_ptr<const KanjiGrades> kanjiGrades() const;
    // Marks, in the grid's cells, the kanji above the page's grade and the answers that show in
    // another row's sentence; runs with every alarm check.
    void updateGradeMarks();
    // The grade options of 印刷オプション, as jirakubo.ini keeps them.
    void applyGradeOptions(const ProgramOptions& options);
    ProgramOptions gradeOptions() const;

    // --- the program-wide reading dictionary, the panels, the secondary windows (main_window.cpp) ---
    ReadingDictionary dictionary;
    MainWindowHosts hosts{*this};
    LookupPanel lookupPanel{hosts};
    MemoryList memoryList{hosts};
    // Each window gets the shared context, and a window that writes the workbook or the main
    // window's own state its host too (both are `hosts`).
    TracingColorWindow tracingWindow{hosts, hosts};
    CompanyWindow companyWindow{hosts, hosts};
    KanaPositionWindow kanaWindow{hosts, hosts};
    ManuscriptWindow manuscriptWindow{hosts, hosts};
    RuledWindow ruledWindow{hosts};
    TextFlowWindow textFlowWindow{hosts, hosts};
    DataEditWindow dataEditWindow{hosts};
    FileMergeWindow fileMergeWindow{hosts};
    PasswordWindow passwordWindow{hosts, hosts};
    ButtonHelpWindow buttonHelpWindow{hosts};
    DataCreationHelpWindow dataCreationHelpWindow{hosts};
    TestBuilderWindow testBuilderWindow{hosts, hosts};
    // Every secondary window, in WindowId order: a window added above is listed here, and the
    // view layer gives it a view in platform/windows/window_factory.cpp.
    const std::array<WindowModel*, kWindowCount> secondaryWindows =
        windowTable(tracingWindow, companyWindow, kanaWindow, manuscriptWindow, ruledWindow, textFlowWindow,
                    dataEditWindow, fileMergeWindow, passwordWindow, buttonHelpWindow, dataCreationHelpWindow,
                    testBuilderWindow);
    WindowModel& window(WindowId id) { return *secondaryWindows[windowIndex(id)]; }
    const WindowModel& window(WindowId id) const { return *secondaryWindows[windowIndex(id)]; }

    // Opens a secondary window (shows the open one again).
    void openWindow(WindowId id);
    // Closes a secondary window, running what it does on the way out.
    void closeWindow(WindowId id);
    bool isWindowOpen(WindowId id) const { return window(id).isOpen(); }

    // --- the one door for every event, and the history (undo_redo.cpp) ---
    // Every user event from any view (the main window, its panels, every secondary window)
    // comes in here: it runs as one action, at whose end what it changed in the workbook
    // becomes one step of the history and `changed` tells the views once. The views never
    // repaint on their own.
    void handle(const std::function<void()>& event);
    // A user action: whatever it changes is told to the views once, at its end, and what it
    // changed in the workbook becomes one step of the history. Actions nest; the outermost
    // one ends the step. The events below open one of their own, so a call from outside the
    // door (start-up, shut-down, a test) is an action too.
    class Action {
    public:
        explicit Action(MainWindow& mw);
        ~Action();
        Action(const Action&) = delete;
        Action& operator=(const Action&) = delete;

    private:
        MainWindow& mw_;
    };
    // The name the history gives the step the current action makes (元に戻す「name」); typing
    // names the cell as its key, so typing into one cell stays one step.
    void nameStep(const QString& name, const QString& typingKey = {});
    void undoCommand();  // "元に戻す", Ctrl+Z
    void redoCommand();  // "やり直し", Ctrl+Y, Ctrl+Shift+Z
    // A fresh history from the workbook as it is now (open, 新規作成), which counts as saved.
    void startHistory();
    WorkbookHistory history;

    // Called once at the end of every user action: the main window's view repaints itself,
    // its panels and every open secondary window.
    std::function<void()> changed;
    // Called in the middle of an action that is about to wait (a printer dialog, the drawing
    // of a sheet): the views show the model as it stands, at once.
    std::function<void()> showNow;

private:
    // The open command after its dialog: nullopt when the dialog was cancelled. False when
    // the file was refused: nothing but the dialog's file name changed.
    bool openChosenFile(const std::optional<QString>& path);
    void runCommand(const Command& command);
    void notAvailable(const QString& what);
    void writeSettingsFile(bool full);
    void finishAction();
    // The page on screen as the grid shows it, when the grid holds a registered page.
    void travelHistory(bool back);
    // What the window shows beside the workbook that a step changes with it: the font of the
    // status bar and its size, and what the font dialog proposes next.
    QStringList historyWindowState() const;
    void restoreHistoryWindowState(const QStringList& state);
    void showHistoryInMenu();
    // The menu items that run a toolbar button follow that button.
    void showToolbarTwinsInMenu();

    // The workbook's file against other instances (workbook_files.cpp): its lock while it is
    // open here, and the file as it stood when it was last read or written here.
    bool takeWorkbookLock(const QString& path);
    std::optional<QString> confirmSaveTarget(QString chosen);
    WorkbookLock workbookLock_;
    FileStamp fileStamp_;

    Platform& platform_;
    Workbook& wb_;
    mutable std::shared_ptr<const KanjiGrades> kanjiGrades_;
    mutable QString kanjiGradesCompany_;
    bool closed_ = false;
    bool settingsFailureReported_ = false;  // a settings file that could not be written was reported
    int actionDepth_ = 0;
    bool travelling_ = false;
    bool loadingPage_ = false;
    void writeGridToPage(int p);
    QString stepName_;
    QString stepKey_;
};
