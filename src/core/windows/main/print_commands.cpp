#include "windows/main/print_commands.h"

#include "printing/print_surface.h"
#include "windows/main/main_window.h"

SheetOptions sheetOptionsOf(const MainWindow& mw) {
    SheetOptions o;
    o.answerBoxes = mw.checked(QStringLiteral("kta"));
    o.tracingOn = mw.tracingOn();
    o.tracingColor = mw.tracingColor;
    o.readingSpacing = mw.readingSpacing;
    o.twoSheetSet = mw.checked(QStringLiteral("ptwo"));
    o.problemFontSize = mw.problemFontSize;
    o.statusFontName = mw.panels[2];
    return o;
}

RowStates rowStatesOfGrid(const MainWindow& mw) {
    RowStates st;
    for (int r = 1; r <= 10; ++r) {
        const size_t i = static_cast<size_t>(r);
        st.kanjiFilled[i] = !mw.grid.at(r).cell(kColKanji).text.isEmpty();
        st.secondWordShown[i] = mw.grid.at(r).check3;
    }
    return st;
}

bool PrintJob::prePrintStep() {
    cancelled_ = mw_.printerDialogEachTime && !mw_.platform().showPrinter(true);
    return !cancelled_;
}

void PrintJob::draw(PrintSurface& s, SheetKind kind, bool fromToolbar) {
    const SheetOptions options = sheetOptionsOf(mw_);
    if (mw_.combo1.backColor == kColorGreen) {
        // Each page prints with its own rows: a row shows its second word when the page has
        // one, and its gap and box follow the page's own kanji.
        for (int p = 0; p < mw_.workbook().pageCount; ++p) {
            mw_.loadPrintPage(p);
            // A refused sheet leaves no blank page.
            if (drawSheets(s, kind, SheetInput{mw_.printPage, options, RowStates::fromPage(mw_.printPage)},
                           mw_.platform()))
                s.newPage();
        }
    } else {
        mw_.loadPrintPage(mw_.workbook().currentPage);
        if (fromToolbar) mw_.fillPrintPageFromGrid();
        drawSheets(s, kind, SheetInput{mw_.printPage, options, rowStatesOfGrid(mw_)}, mw_.platform());
    }
    s.endDocument();
}

void PrintJob::run(int button, bool fromToolbar) {
    if (button < 6 || button > 10) return;
    if (!prePrintStep()) return;
    const SheetKind kind = static_cast<SheetKind>(button);
    if (mw_.checked(QStringLiteral("pvw"))) {  // "印刷プレビュー"
        mw_.platform().previewPrint([&](PrintSurface& s) { draw(s, kind, fromToolbar); });
    } else {
        std::unique_ptr<PrintSurface> surface = mw_.platform().printerSurface();
        if (!surface) return;
        draw(*surface, kind, fromToolbar);
    }
    mw_.combo1.backColor = kColorWhite;
}

namespace {

// The prints of the lookup panel: the printer step, then one drawing, then the end.
void runPanelPrint(MainWindow& mw, const std::function<void(PrintSurface&)>& draw) {
    PrintJob job(mw);
    if (!job.prePrintStep()) return;
    if (mw.checked(QStringLiteral("pvw"))) {
        mw.platform().previewPrint([&](PrintSurface& s) {
            draw(s);
            s.endDocument();
        });
        return;
    }
    std::unique_ptr<PrintSurface> surface = mw.platform().printerSurface();
    if (!surface) return;
    draw(*surface);
    surface->endDocument();
}

}  // namespace

void MainWindow::printGradeTable() {
    if (!lookupPanel.gradeTableShown()) return;
    runPanelPrint(*this, [this](PrintSurface& s) { lookupPanel.drawGradeTable(s, panels[2], printPage.fontName); });
}

void MainWindow::printPracticeBook() {
    runPanelPrint(*this, [this](PrintSurface& s) { lookupPanel.drawPracticeBook(s, panels[2], printPage.fontName); });
}
