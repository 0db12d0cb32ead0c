// The print commands from the real window: toolbar buttons and menu items with the printer
// dialog scripted and the sheets recorded.
#include "core/windows/main/print_commands.h"

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>

#include "core/printing/recording_surface.h"
#include "editing_window.h"
#include "platform/qt_print_dialogs.h"

namespace {

// The printer dialog answered from a queue; the printer is a recording surface.
class PrintingPlatform : public ScriptedPlatform {
public:
    std::deque<bool> printerAnswers;  // default: proceed
    int printerDialogs = 0;
    RecordingSurface paper;  // everything the jobs drew

    bool showPrinter(bool, const QString&) override {
        ++printerDialogs;
        if (printerAnswers.empty()) return true;
        const bool a = printerAnswers.front();
        printerAnswers.pop_front();
        return a;
    }
    std::unique_ptr<PrintSurface> printerSurface(const QString&) override {
        return std::make_unique<RecordingSurface>(&paper);
    }
};

struct PrintWindow {
    QTemporaryDir dir;
    PrintingPlatform platform;
    Workbook workbook;
    MainWindow model{platform, workbook};
    MainWindowView view{model, platform};

    PrintWindow() {
        platform.cwd = dir.path();
        model.startUp();
        view.resize(1100, view.sizeHint().height());
        view.show();
    }
    void clickToolbar(int index) {
        auto* bar = view.findChild<QToolBar*>(QStringLiteral("Toolbar1"));
        QTest::mouseClick(bar->widgetForAction(view.toolbarAction(index)), Qt::LeftButton);
    }
    // Two registered pages, a kanji word on row 1 of each.
    void twoPages() {
        model.onMenu(QStringLiteral("np"));
        QTest::mouseClick(view.registerButton(), Qt::LeftButton);
        QTest::mouseClick(view.cellLabel(1, kColKanji), Qt::LeftButton);
        EditingWindow::type(view.entryBox(), QStringLiteral("学校"));
        model.onMenu(QStringLiteral("newD"));
        QTest::mouseClick(view.registerButton(), Qt::LeftButton);
        QTest::mouseClick(view.cellLabel(1, kColKanji), Qt::LeftButton);
        EditingWindow::type(view.entryBox(), QStringLiteral("先生"));
    }
    QStringList texts() const {
        QStringList t;
        for (const auto& op : platform.paper.texts()) t << op.text;
        return t;
    }
    int count(RecordingSurface::Kind k) const { return static_cast<int>(platform.paper.ofKind(k).size()); }
};

}  // namespace

class PrintCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void dictationButtonPrintsThePageOnScreen() {
        PrintWindow w;
        w.twoPages();
        w.clickToolbar(6);
        QCOMPARE(w.platform.printerDialogs, 1);
        QVERIFY(w.texts().contains(QStringLiteral("①")));
        QVERIFY(w.texts().contains(QStringLiteral("⑩")));
        // One sheet: the page on screen, with the box of its one kanji word.
        QCOMPARE(w.count(RecordingSurface::Kind::Box), 1);
        QCOMPARE(w.count(RecordingSurface::Kind::NewPage), 0);
        QCOMPARE(w.count(RecordingSurface::Kind::EndDocument), 1);
    }

    void cancelledDialogPrintsNothingAndKeepsTheBatchArmed() {
        PrintWindow w;
        w.twoPages();
        w.model.onMenu(QStringLiteral("asel"));
        QCOMPARE(w.model.combo1.backColor, kColorGreen);
        w.platform.printerAnswers = {false};
        w.clickToolbar(7);
        QVERIFY(w.platform.paper.ops().empty());
        QCOMPARE(w.model.combo1.backColor, kColorGreen);
        // The next print takes every page, then disarms.
        w.clickToolbar(6);
        QCOMPARE(w.count(RecordingSurface::Kind::NewPage), 2);
        QCOMPARE(w.count(RecordingSurface::Kind::EndDocument), 1);
        QCOMPARE(w.model.combo1.backColor, kColorWhite);
        QCOMPARE(w.view.headingBox()->lineEdit()->styleSheet().contains(QStringLiteral("#ffffff")), true);
    }

    void fixedPrinterModeShowsNoDialog() {
        PrintWindow w;
        w.twoPages();
        w.model.onMenu(QStringLiteral("pst"));  // shows the dialog once, at the switch
        QCOMPARE(w.platform.printerDialogs, 1);
        w.model.onMenu(QStringLiteral("tap"));
        QCOMPARE(w.platform.printerDialogs, 1);
        // Three sheets of the page, with a page break between them and none after.
        QCOMPARE(w.count(RecordingSurface::Kind::NewPage), 2);
        QCOMPARE(w.count(RecordingSurface::Kind::EndDocument), 1);
    }

    // With "印刷プレビュー" checked a print command opens the preview on the real printer
    // surface instead of printing; the preview shows the job's pages.
    void previewShowsTheSheets() {
        // The real Qt platform, but for the printer dialog that would wait for a person.
        struct PreviewPlatform : QtPlatform {
            bool showPrinter(bool, const QString&) override { return true; }
        } platform;
        Workbook workbook;
        MainWindow model(platform, workbook);
        model.startUp();
        model.onMenu(QStringLiteral("np"));
        model.registerHeading();
        model.onMenu(QStringLiteral("ptwo"));  // the reading sheet as a set of two
        model.onMenu(QStringLiteral("pvw"));
        QVERIFY(model.checked("pvw"));
        int pages = -1;
        QImage shot;
        QTimer::singleShot(200, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* dlg = qobject_cast<QPrintPreviewDialog*>(w);
                if (!dlg) continue;
                if (auto* preview = dlg->findChild<QPrintPreviewWidget*>()) pages = preview->pageCount();
                shot = dlg->grab().toImage();
                dlg->reject();
            }
        });
        model.onMenu(QStringLiteral("p3"));
        QCOMPARE(pages, 2);
        QVERIFY(!shot.isNull());
        shot.save(QDir::temp().filePath(QStringLiteral("jirakubo-preview.png")));
    }

    // Printing to a PDF file from the print dialog: the file gets the printable area of a
    // common printer (5 mm on every side), so the sheets' lines stay clear of their texts.
    void pdfFromThePrintDialogHasACommonPrintersArea() {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("sheet.pdf")));
        printer.setFullPage(false);
        printer.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
        std::unique_ptr<PrintSurface> s = makePrinterSurface(printer);
        s->setPaperSize(Paper::A4);
        s->setOrientation(Orientation::Landscape);
        QVERIFY(qAbs(s->pageWidth() - (16838 - 2 * 283.4646)) < 0.01);
        QVERIFY(qAbs(s->pageHeight() - (11906 - 2 * 283.4646)) < 0.01);
        s->drawLine(0, 0, 100, 0);
        s->endDocument();
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("sheet.pdf"))).size() > 0);
    }
};

QTEST_MAIN(PrintCommandsTest)
#include "print_commands_test.moc"
