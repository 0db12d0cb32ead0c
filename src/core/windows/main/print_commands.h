// The print commands of the main window: the printer dialog step, the page on screen or
// every page of the workbook, the print preview. The sheets themselves know nothing of the
// window.
#pragma once

#include "printing/print_jobs.h"

class MainWindow;

// The options of the main window's menus and status bar.
SheetOptions sheetOptionsOf(const MainWindow& mw);
// The toggles and kanji cells of the grid on screen.
RowStates rowStatesOfGrid(const MainWindow& mw);

class PrintJob {
public:
    explicit PrintJob(MainWindow& mw) : mw_(mw) {}

    // The printer dialog in per-print mode (false when cancelled); nothing in fixed mode.
    bool prePrintStep();
    // A print command: button 6 dictation, 7 tracing, 8 reading, 9 three sheets, 10 sentence.
    void run(int button, bool fromToolbar);
    // What the command draws, on any surface (printer, preview).
    void draw(PrintSurface& s, SheetKind kind, bool fromToolbar);

    bool cancelled() const { return cancelled_; }

private:
    MainWindow& mw_;
    bool cancelled_ = false;
};
