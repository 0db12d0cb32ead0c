// The print commands of the main window: the check for lines longer than the sheet, the
// printer dialog step, the page on screen or every page of the workbook, the print preview,
// and a message when the device could not print. The sheets themselves know nothing of the
// window.
#pragma once

#include <QString>

#include "printing/print_jobs.h"

class MainWindow;

// The options of the main window's menus and status bar.
SheetOptions sheetOptionsOf(const MainWindow& mw);
// The toggles and kanji cells of the grid on screen.
RowStates rowStatesOfGrid(const MainWindow& mw);

// The sheet as the teacher calls it in messages and in the printer queue: "書き取り",
// "練習", "読み方", "文作り", "３票一括".
QString sheetShortName(SheetKind kind);

// The message shown when a print could not start or did not finish.
inline const QString kPrintFailedMessage = QStringLiteral(
    "印刷できませんでした。\n"
    "プリンターの電源と接続（PDFファイルに出力するときは保存先のフォルダー）を確かめて、"
    "もう一度印刷してください。");

class PrintJob {
public:
    explicit PrintJob(MainWindow& mw) : mw_(mw) {}

    // The printer dialog in per-print mode (false when cancelled); nothing in fixed mode.
    bool prePrintStep();
    // A print command: button 6 dictation, 7 tracing, 8 reading, 9 three sheets, 10 sentence.
    void run(int button, bool fromToolbar);
    // What the command draws, on any surface (printer, preview).
    void draw(PrintSurface& s, SheetKind kind, bool fromToolbar);

    // The rows of the pages the command prints that run off their sheet, as the question put
    // to the teacher; empty when every row fits.
    QString overlongRowsQuestion(SheetKind kind, bool fromToolbar);
    // The tracing sheets the command cannot print (a kanji word over ten characters), as the
    // message shown before the printer dialog; empty when there are none. refusedPages and
    // printedPages count the pages whose tracing sheet is refused and the pages printed.
    QString tracingRefusalMessage(SheetKind kind, bool fromToolbar, int* refusedPages = nullptr,
                                  int* printedPages = nullptr);
    // The name of the job in the printer queue: program, heading (the problem file's name
    // for every page), sheet.
    QString jobName(SheetKind kind, bool fromToolbar);

    bool cancelled() const { return cancelled_; }

private:
    bool batch() const;
    // The print arrays of the page on screen, as the command prints it.
    void loadPageOnScreen(bool fromToolbar);

    MainWindow& mw_;
    bool cancelled_ = false;
};
