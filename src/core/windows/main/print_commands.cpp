#include "core/windows/main/print_commands.h"

#include <QFileInfo>
#include <map>

#include "core/message_titles.h"
#include "core/printing/job_title.h"
#include "core/printing/overlong_rows.h"
#include "core/printing/print_surface.h"
#include "core/printing/tracing_sheet.h"
#include "core/windows/main/main_window.h"

namespace {

// Rows listed in the question before the rest is only counted.
constexpr int kListedRows = 10;

}  // namespace

SheetOptions sheetOptionsOf(const MainWindow& mw) {
    SheetOptions o;
    o.answerBoxes = mw.checked(QStringLiteral("kta"));
    o.tracingOn = mw.tracingOn();
    o.tracingColor = mw.tracingColor;
    o.readingSpacing = mw.readingSpacing;
    o.twoSheetSet = mw.checked(QStringLiteral("ptwo"));
    o.problemFontSize = mw.problemFontSize;
    o.statusFontName = mw.fontName;
    o.modelShift = modelShiftOf(mw);
    addGradeOptions(o, mw);
    return o;
}

ModelShift modelShiftOf(const MainWindow& mw) {
    return {mw.kanaOffset1, mw.kanaOffset2};
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

PrintPage printedPageOnScreen(const MainWindow& mw, bool fromToolbar) {
    PrintPage page = printPageFromRecord(mw.workbook(), mw.workbook().currentPage);
    if (!fromToolbar) return page;
    for (int r = 1; r <= 10; ++r) {
        const GridRow& g = mw.grid.at(r);
        const size_t i = static_cast<size_t>(r);
        page.before[i] = g.cell(kColBefore).text;
        page.kanji[i] = g.cell(kColKanji).text;
        page.reading[i] = g.cell(kColReading).text;
        page.after[i] = g.cell(kColAfter).text;
    }
    page.heading = mw.combo1.text;
    page.fontName = mw.fontName;
    return page;
}

bool PrintJob::batch() const {
    return mw_.combo1.backColor == kColorGreen;
}

void PrintJob::draw(PrintSurface& s, SheetKind kind, bool fromToolbar) {
    const SheetOptions options = sheetOptionsOf(mw_);
    PrintPage page;
    if (batch()) {
        // Each page prints with its own rows: a row shows its second word when the page has
        // one, and its gap and box follow the page's own kanji. A refused sheet leaves no
        // blank page; the teacher heard of it before the dialog.
        drawAllPages(s, mw_.workbook(), kind, options, page);
    } else {
        page = printedPageOnScreen(mw_, fromToolbar);
        drawSheets(s, kind, SheetInput{page, options, rowStatesOfGrid(mw_)});
    }
    // 解答も印刷: the same sheets again as their answer key, after them.
    if (printsAnswerKey(mw_, kind)) {
        SheetOptions key = options;
        key.answerKey = true;
        if (batch()) {
            drawAllPages(s, mw_.workbook(), kind, key, page);
        } else {
            s.newPage();
            drawSheets(s, kind, SheetInput{page, key, rowStatesOfGrid(mw_)});
        }
    }
}

QString PrintJob::overlongRowsQuestion(SheetKind kind, bool fromToolbar) {
    const SheetOptions options = sheetOptionsOf(mw_);
    QStringList lines;
    const auto collect = [&](int pageIndex, const PrintPage& page, const RowStates& states) {
        // Row by row, the sheets it runs off in the order they print.
        std::map<int, QStringList> sheetsOfRow;
        for (const OverlongRow& o : rowsRunningOffTheSheet(kind, SheetInput{page, options, states}))
            sheetsOfRow[o.row] << sheetShortName(o.sheet);
        for (const auto& [row, sheets] : sheetsOfRow)
            lines << QStringLiteral(" %1頁 %2行目（%3）").arg(pageIndex + 1).arg(row).arg(sheets.join(u'・'));
    };
    if (batch()) {
        for (int p = 0; p < mw_.workbook().pageCount; ++p) {
            const PrintPage page = printPageFromRecord(mw_.workbook(), p);
            collect(p, page, RowStates::fromPage(page));
        }
    } else {
        collect(mw_.workbook().currentPage, printedPageOnScreen(mw_, fromToolbar), rowStatesOfGrid(mw_));
    }
    if (lines.isEmpty()) return {};
    const qsizetype more = lines.size() - kListedRows;
    if (more > 0) {
        lines.resize(kListedRows);
        lines << QStringLiteral(" ほか%1行").arg(more);
    }
    return QStringLiteral("次の行は用紙からはみ出します。\n") + lines.join(u'\n') +
           QStringLiteral("\nこのまま印刷しますか？");
}

QString PrintJob::tracingRefusalMessage(SheetKind kind, bool fromToolbar, int* refusedPages,
                                        int* printedPages) {
    int refused = 0, printed = 0;
    QStringList lines;
    const auto collect = [&](int pageIndex, const PrintPage& page) {
        ++printed;
        bool any = false;
        for (int r = 1; r <= 10; ++r) {
            const QString& kanji = page.kanji[static_cast<size_t>(r)];
            if (!tooLongForTracing(kanji)) continue;
            lines << tracingRefusalRow(pageIndex, r, kanji.size());
            any = true;
        }
        refused += any ? 1 : 0;
    };
    if (kind == SheetKind::Tracing || kind == SheetKind::ThreeSheets) {
        if (batch()) {
            for (int p = 0; p < mw_.workbook().pageCount; ++p)
                collect(p, printPageFromRecord(mw_.workbook(), p));
        } else {
            collect(mw_.workbook().currentPage, printedPageOnScreen(mw_, fromToolbar));
        }
    }
    if (refusedPages) *refusedPages = refused;
    if (printedPages) *printedPages = printed;
    if (lines.isEmpty()) return {};
    const qsizetype more = lines.size() - kListedRows;
    if (more > 0) {
        lines.resize(kListedRows);
        lines << QStringLiteral(" ほか%1行").arg(more);
    }
    return ::tracingRefusalMessage(lines, batch());
}

QString PrintJob::jobTitle(SheetKind kind, bool fromToolbar) {
    if (batch()) {
        const QString& file = mw_.filePath;
        const QString name =
            file.isEmpty() || file == u"ファイル" ? QString() : QFileInfo(file).completeBaseName();
        return sheetJobTitle(name, everyPageSheetName(kind, mw_.workbook().pageCount));
    }
    return sheetJobTitle(printedPageOnScreen(mw_, fromToolbar).heading, sheetShortName(kind));
}

void PrintJob::run(SheetKind kind, bool fromToolbar) {
    Platform& platform = mw_.platform();
    // A tracing sheet the page cannot have is known before any dialog; with nothing else to
    // print the command ends there.
    int refusedPages = 0, printedPages = 0;
    if (const QString refusal = tracingRefusalMessage(kind, fromToolbar, &refusedPages, &printedPages);
        !refusal.isEmpty()) {
        platform.messageBox(refusal, kErrorTitle, MessageButtons::Ok, MessageIcon::Error);
        if (kind == SheetKind::Tracing && refusedPages == printedPages) return;
    }
    // Lines longer than the sheet are neither wrapped nor shortened: the teacher decides.
    if (const QString question = overlongRowsQuestion(kind, fromToolbar);
        !question.isEmpty() && platform.messageBox(question, kConfirmTitle, MessageButtons::YesNo,
                                                   MessageIcon::Question) != MessageAnswer::Yes)
        return;
    // An answer the dictation sheet would show in another row's sentence: the teacher decides.
    if (const QString question = leakingRowsQuestion(kind, fromToolbar);
        !question.isEmpty() && platform.messageBox(question, kConfirmTitle, MessageButtons::YesNo,
                                                   MessageIcon::Question) != MessageAnswer::Yes)
        return;
    PrintRequest request;
    request.title = jobTitle(kind, fromToolbar);
    request.askPrinter = mw_.printerDialogEachTime;
    if (mw_.checked(QStringLiteral("pvw"))) request.device = PrintDevice::Preview;  // "印刷プレビュー"
    const PrintResult result =
        runPrint(platform, request, [&](PrintSurface& s) { draw(s, kind, fromToolbar); });
    // Cancelled, or nothing reached the paper: the batch stays armed for the next try.
    if (result == PrintResult::Printed) mw_.combo1.backColor = kColorWhite;
}

namespace {

// The prints of the lookup panel: the printer step as the worksheets have it, the preview when
// it is on; neither reads nor clears the batch.
PrintRequest panelPrint(const MainWindow& mw, const QString& title) {
    PrintRequest request;
    request.title = title;
    request.askPrinter = mw.printerDialogEachTime;
    if (mw.checked(QStringLiteral("pvw"))) request.device = PrintDevice::Preview;
    return request;
}

}  // namespace

void MainWindow::printCommand(SheetKind kind, bool fromToolbar) {
    PrintJob(*this).run(kind, fromToolbar);
}

void MainWindow::printGradeTable() {
    if (!lookupPanel.gradeTableShown()) return;
    // Neither the grade table nor the practice book belongs to a page: they print in the status
    // bar's font (else the default).
    runPrint(platform(), panelPrint(*this, gradeTableJobTitle(lookupPanel.gradeTableGrade)),
             [this](PrintSurface& s) { lookupPanel.drawGradeTable(s, fontName, QString()); });
}

void MainWindow::printPracticeBook() {
    runPrint(platform(), panelPrint(*this, practiceBookJobTitle(lookupPanel.practiceKanjiToPrint())),
             [this](PrintSurface& s) {
                 lookupPanel.drawPracticeBook(s, fontName, QString(), modelShiftOf(*this));
             });
}
