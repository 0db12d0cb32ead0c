// The print commands of the main window: the check for lines longer than the sheet, the page
// on screen or every page of the workbook, the names of the jobs, and the lookup panel's
// practice book and grade list. The printer dialog, the device (or the preview) and the
// message when it could not print are the windows' one print path (print_run.h). The sheets
// themselves know nothing of the window.
#pragma once

#include <QString>

#include "core/printing/job_title.h"
#include "core/printing/print_jobs.h"
#include "core/windows/print_run.h"

class MainWindow;

// The options of the main window's menus and status bar.
SheetOptions sheetOptionsOf(const MainWindow& mw);
// Where the teacher moved the large model characters (かな印字位置調整).
ModelShift modelShiftOf(const MainWindow& mw);
// The toggles and kanji cells of the grid on screen.
RowStates rowStatesOfGrid(const MainWindow& mw);
// What the sheets of the page on screen print, built from its page in the workbook when
// printing starts. A print from the toolbar (fromToolbar) takes the first words of each row,
// the heading and the font as the window shows them (the grid, the heading box, the status
// bar's font); a print from the menu takes the page as the workbook holds it.
PrintPage printedPageOnScreen(const MainWindow& mw, bool fromToolbar);
// The grade options of 印刷オプション (学年, 未習漢字にふりがな, 答えを文中でかなにする) into o
// (grade_marks.cpp); whether 解答も印刷 adds the answer key to a command of this kind.
void addGradeOptions(SheetOptions& o, const MainWindow& mw);
bool printsAnswerKey(const MainWindow& mw, SheetKind kind);

class PrintJob {
public:
    explicit PrintJob(MainWindow& mw) : mw_(mw) {}

    // A print command: 印刷書き方 (dictation), 印刷練習 (tracing), 印刷読み方, ３票一括印刷,
    // 文作り, from the toolbar or the ファイル menu.
    void run(SheetKind kind, bool fromToolbar);
    // What the command draws, on any surface (printer, preview); the document is not ended.
    void draw(PrintSurface& s, SheetKind kind, bool fromToolbar);

    // The rows of the pages the command prints that run off their sheet, as the question put
    // to the teacher; empty when every row fits.
    QString overlongRowsQuestion(SheetKind kind, bool fromToolbar);
    // The tracing sheets the command cannot print (a kanji word over ten characters), as the
    // message shown before the printer dialog; empty when there are none. refusedPages and
    // printedPages count the pages whose tracing sheet is refused and the pages printed.
    QString tracingRefusalMessage(SheetKind kind, bool fromToolbar, int* refusedPages = nullptr,
                                  int* printedPages = nullptr);
    // With 答えを文中でかなにする off, the answers of the dictation sheets the command prints that
    // show in another row's sentence, as the question put to the teacher; empty when none does
    // (grade_marks.cpp).
    QString leakingRowsQuestion(SheetKind kind, bool fromToolbar);
    // The job's title in the printer queue, after the program's name: heading (the problem
    // file's name for every page) and sheet (sheetJobTitle).
    QString jobTitle(SheetKind kind, bool fromToolbar);

private:
    bool batch() const;

    MainWindow& mw_;
};
