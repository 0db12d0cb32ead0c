// The printer dialogs of the desktop program as a teacher meets them: the print step and
// "設定変更" show the real print dialog (every queue of the print system and a PDF file), the
// PDF file chosen stays chosen for the session, a printer that cannot start the job is
// reported, and the preview opens large enough to print from. The dialogs are answered by a
// script; the jobs print real PDF files.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "core/printing/print_surface.h"
#include "core/windows/main/main_window.h"
#include "core/windows/main/print_commands.h"
#include "dialog_script.h"
#include "full_disk.h"
#include "platform/main_window_view.h"
#include "platform/qt_platform.h"
#include "scripted_answers.h"

namespace {

// The Qt platform with the program's own message boxes answered from a queue; the dialogs of
// Qt itself (print dialog, its questions, the preview) are real.
class DialogPlatform : public QtPlatform, public ScriptedAnswers {
public:
    QString cwd;
    MessageAnswer messageBox(const QString& text, const QString& title, MessageButtons buttons,
                             MessageIcon icon) override {
        return answer(text, title, buttons, icon);
    }
    QString currentDirectory() override { return cwd; }
};

// One page "三年一組" with a kanji word, ready to print.
struct PrintSession {
    QTemporaryDir dir;
    DialogPlatform platform;
    Workbook workbook;
    MainWindow model{platform, workbook};

    PrintSession() {
        platform.cwd = dir.path();
        model.startUp();
        model.onMenu(QStringLiteral("np"));
        model.combo1.text = QStringLiteral("三年一組");
        model.registerHeading();
        model.setCellText(1, kColKanji, QStringLiteral("学校"));
        model.storeGrid();
    }
    QString path(const QString& name) const { return dir.filePath(name); }
};

const QString kPdfEntry = QStringLiteral("PDF ファイルに出力");

QComboBox* printers(QPrintDialog* d) {
    return d->findChild<QComboBox*>(QStringLiteral("printers"));
}
QLineEdit* fileName(QPrintDialog* d) {
    return d->findChild<QLineEdit*>(QStringLiteral("filename"));
}
QPushButton* okButton(QDialog* d) {
    return d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

// Chooses the PDF file entry with the file path, then presses the dialog's OK button.
void printToFile(QPrintDialog* d, const QString& path) {
    printers(d)->setCurrentIndex(printers(d)->count() - 1);
    fileName(d)->setText(path);
    okButton(d)->click();
}

// "Title" and "Pages" of a PDF file, from pdfinfo.
QMap<QString, QString> pdfInfo(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {path});
    p.waitForFinished(10000);
    QMap<QString, QString> info;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n')) {
        const qsizetype colon = line.indexOf(u':');
        if (colon > 0) info[line.left(colon)] = line.mid(colon + 1).trimmed();
    }
    return info;
}

// The words of a PDF page with their boxes in points, from pdftotext -bbox.
struct PdfWord {
    QString text;
    QRectF box;
};
QList<PdfWord> pdfWords(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    p.waitForFinished(10000);
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfWord> out;
    auto it = word.globalMatch(QString::fromUtf8(p.readAllStandardOutput()));
    while (it.hasNext()) {
        const auto m = it.next();
        out.push_back({m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return out;
}

// Page 1 of a PDF at 72 dpi (one pixel a point), in grey.
QImage pdfPicture(const QString& path) {
    const QString base = path + QStringLiteral("-page");
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-gray"),
                                         QStringLiteral("-singlefile"), path, base});
    p.waitForFinished(20000);
    return QImage(base + QStringLiteral(".pgm"));
}

// The Qt platform of a computer without any printer: a PDF file stands in for it.
class NoPrinterPlatform : public DialogPlatform {
public:
    QStringList savePaths;  // the names given in the file dialog, in turn
    QStringList proposed;
    std::unique_ptr<PrintSurface> defaultPrinterSurface(const QString&) override { return nullptr; }
    std::optional<QString> showSave(const QString&, int, const QString& proposedPath) override {
        proposed << proposedPath;
        if (savePaths.isEmpty()) return std::nullopt;
        return savePaths.takeFirst();
    }
};

}  // namespace

class PrintDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(installJapaneseTranslations(*qApp)); }

    // The print step is the print dialog, not a page setup without a printer: every queue of
    // the print system and the PDF file, no page range (the sheets print whole). The job
    // carries its name into the file (and a queue).
    void printStepShowsThePrintDialog() {
        PrintSession s;
        DialogScript script;
        QStringList listed;
        QString proposed, title, okText;
        bool pageRange = true;
        const QString pdf = s.path(QStringLiteral("sheet.pdf"));
        script.then<QPrintDialog>([&](QPrintDialog* d) {
            title = d->windowTitle();
            okText = okButton(d)->text();
            pageRange = d->testOption(QAbstractPrintDialog::PrintPageRange);
            for (int i = 0; i < printers(d)->count(); ++i) listed << printers(d)->itemText(i);
            printers(d)->setCurrentIndex(printers(d)->count() - 1);
            proposed = fileName(d)->text();
            printToFile(d, pdf);
        });
        s.model.onMenu(QStringLiteral("p1"));
        QVERIFY(script.allAnswered());
        QCOMPARE(script.unexpected, QStringList());
        QCOMPARE(title, QStringLiteral("印刷"));
        QCOMPARE(okText, QStringLiteral("印刷(&P)"));
        QVERIFY(!pageRange);
        for (const QString& queue : QPrinterInfo::availablePrinterNames()) QVERIFY(listed.contains(queue));
        QCOMPARE(listed.last(), kPdfEntry);
        // A PDF file named after the job, in the home folder (or the current one under it).
        QVERIFY2(proposed.endsWith(QStringLiteral("/2011字楽坊 - 三年一組 - 書き取り.pdf")),
                 qPrintable(proposed));
        QCOMPARE(s.platform.messageTexts(), QStringList());
        const auto info = pdfInfo(pdf);
        QCOMPARE(info.value(QStringLiteral("Title")), QStringLiteral("2011字楽坊 - 三年一組 - 書き取り"));
        QCOMPARE(info.value(QStringLiteral("Pages")), QStringLiteral("1"));
    }

    // Every text of the dialog a teacher can see or hover is Japanese, those behind
    // "オプション" and the tooltips included: no English word left (file names and "PDF" aside).
    void printDialogSpeaksJapanese() {
        PrintSession s;
        DialogScript script;
        QStringList english;
        script.then<QPrintDialog>([&](QPrintDialog* d) {
            static const QRegularExpression word(QStringLiteral("[A-Za-z]{3,}"));
            const auto check = [&](QWidget* w, const QString& what, const QString& text) {
                QString t = text;
                t.remove(QStringLiteral("PDF"));
                if (word.match(t).hasMatch())
                    english << QStringLiteral("%1 %2: %3").arg(w->objectName(), what, text);
            };
            for (QWidget* w : d->findChildren<QWidget*>()) {
                // The queue's location and driver come from the print system as they are.
                const bool systemData = w->objectName() == u"location" || w->objectName() == u"type";
                if (auto* b = qobject_cast<QAbstractButton*>(w)) check(w, QStringLiteral("text"), b->text());
                if (auto* l = qobject_cast<QLabel*>(w); l && !systemData)
                    check(w, QStringLiteral("text"), l->text());
                if (auto* g = qobject_cast<QGroupBox*>(w)) check(w, QStringLiteral("title"), g->title());
                check(w, QStringLiteral("tooltip"), w->toolTip());
            }
            d->reject();
        });
        s.model.onMenu(QStringLiteral("p1"));
        QVERIFY(script.allAnswered());
        QCOMPARE(english, QStringList());
    }

    // The PDF choice stays for the next print of the session, in the folder chosen last; the
    // file proposed is named after each job, never the previous sheet's file.
    void pdfFileChoiceIsRemembered() {
        PrintSession s;
        const QString pdf = s.path(QStringLiteral("kept.pdf"));
        DialogScript script;
        script.then<QPrintDialog>([&](QPrintDialog* d) { printToFile(d, pdf); });
        s.model.onMenu(QStringLiteral("p1"));
        QVERIFY(QFileInfo::exists(pdf));
        QFile::remove(pdf);

        QString selected, offered;
        script.then<QPrintDialog>([&](QPrintDialog* d) {
            selected = printers(d)->currentText();
            offered = fileName(d)->text();
            okButton(d)->click();
        });
        s.model.onMenu(QStringLiteral("p3"));
        QVERIFY(script.allAnswered());
        QCOMPARE(script.unexpected, QStringList());
        QCOMPARE(selected, kPdfEntry);
        const QString reading = s.path(QStringLiteral("2011字楽坊 - 三年一組 - 読み方.pdf"));
        QCOMPARE(offered, reading);
        QCOMPARE(pdfInfo(reading).value(QStringLiteral("Title")),
                 QStringLiteral("2011字楽坊 - 三年一組 - 読み方"));

        // The next sheet of another kind proposes its own name again, not the reading sheet's.
        script.then<QPrintDialog>([&](QPrintDialog* d) {
            offered = fileName(d)->text();
            okButton(d)->click();
        });
        s.model.onMenu(QStringLiteral("p2"));
        QVERIFY(script.allAnswered());
        QCOMPARE(offered, s.path(QStringLiteral("2011字楽坊 - 三年一組 - 練習.pdf")));

        // Printing over the file asks Qt's own question first, in Japanese.
        QString question;
        script.then<QPrintDialog>([&](QPrintDialog* d) { okButton(d)->click(); });
        script.then<QMessageBox>([&](QMessageBox* box) {
            question = box->text();
            box->button(QMessageBox::Yes)->click();
        });
        s.model.onMenu(QStringLiteral("p3"));
        QCOMPARE(script.unexpected, QStringList());
        QVERIFY(script.allAnswered());
        QCOMPARE(question, reading + QStringLiteral(" は既に存在します。\n上書きしますか?"));
        QCOMPARE(pdfInfo(reading).value(QStringLiteral("Title")),
                 QStringLiteral("2011字楽坊 - 三年一組 - 読み方"));
    }

    // "設定変更" chooses the printer in the same dialog, titled for what it does; the prints
    // after it show no dialog and go to the printer chosen.
    void printerSettingChoosesThePrinter() {
        PrintSession s;
        const QString pdf = s.path(QStringLiteral("fixed.pdf"));
        DialogScript script;
        QString title, okText;
        script.then<QPrintDialog>([&](QPrintDialog* d) {
            title = d->windowTitle();
            okText = okButton(d)->text();
            printToFile(d, pdf);
        });
        s.model.onMenu(QStringLiteral("pst"));
        QVERIFY(script.allAnswered());
        QCOMPARE(title, QStringLiteral("プリンターの設定"));
        QCOMPARE(okText, QStringLiteral("OK"));
        QVERIFY(!QFileInfo::exists(pdf));
        s.model.onMenu(QStringLiteral("tap"));
        QCOMPARE(script.unexpected, QStringList());
        QCOMPARE(pdfInfo(pdf).value(QStringLiteral("Pages")), QStringLiteral("3"));
        QCOMPARE(pdfInfo(pdf).value(QStringLiteral("Title")),
                 QStringLiteral("2011字楽坊 - 三年一組 - ３票一括"));
    }

    // With print queues (CUPS): the queue chosen stays chosen for the next dialogs instead of
    // the system's default one, and a cancelled dialog changes nothing. Needs two queues.
    void chosenQueueStaysChosen() {
        const QStringList queues = QPrinterInfo::availablePrinterNames();
        QString other;
        for (const QString& q : queues)
            if (q != QPrinterInfo::defaultPrinterName()) other = q;
        if (queues.size() < 2 || other.isEmpty()) QSKIP("needs two print queues");
        PrintSession s;
        DialogScript script;
        script.then<QPrintDialog>([&](QPrintDialog* d) {
            printers(d)->setCurrentIndex(printers(d)->findText(other));
            okButton(d)->click();
        });
        s.model.onMenu(QStringLiteral("pst"));
        QVERIFY(script.allAnswered());
        QCOMPARE(s.platform.printer().printerName(), other);
        QCOMPARE(s.platform.printer().outputFormat(), QPrinter::NativeFormat);

        // Back to a dialog at each print: it offers that queue; cancelled, nothing changes
        // even after another entry was looked at.
        s.model.onMenu(QStringLiteral("upri"));
        QString offered;
        script.then<QPrintDialog>([&](QPrintDialog* d) {
            offered = printers(d)->currentText();
            printers(d)->setCurrentIndex(printers(d)->count() - 1);
            d->reject();
        });
        s.model.onMenu(QStringLiteral("p1"));
        QVERIFY(script.allAnswered());
        QCOMPARE(script.unexpected, QStringList());
        QCOMPARE(offered, other);
        QCOMPARE(s.platform.printer().printerName(), other);
        QCOMPARE(s.platform.printer().outputFormat(), QPrinter::NativeFormat);

        // A PDF file chosen, then a dialog cancelled after a queue was looked at: still the file.
        const QString pdf = s.path(QStringLiteral("kept.pdf"));
        script.then<QPrintDialog>([&](QPrintDialog* d) { printToFile(d, pdf); });
        s.model.onMenu(QStringLiteral("p1"));
        QFile::remove(pdf);
        script.then<QPrintDialog>([&](QPrintDialog* d) {
            printers(d)->setCurrentIndex(printers(d)->findText(other));
            d->reject();
        });
        s.model.onMenu(QStringLiteral("p1"));
        QVERIFY(script.allAnswered());
        QCOMPARE(s.platform.printer().outputFormat(), QPrinter::PdfFormat);
        QCOMPARE(s.platform.printer().outputFileName(), pdf);
        QVERIFY(!QFileInfo::exists(pdf));
    }

    // A PDF file chosen in the print dialog on a full disk: the teacher is told, the sheet
    // printed there before keeps its bytes, and nothing is left beside it.
    void pdfChosenInTheDialogOnAFullDiskKeepsTheOldFile() {
        SmallDisk disk;
        if (!disk.mounted()) QSKIP("mounting a tmpfs needs root");
        const QString pdf = disk.path(QStringLiteral("sheet.pdf"));
        {
            QFile old(pdf);
            QVERIFY(old.open(QIODevice::WriteOnly));
            QCOMPARE(old.write("the sheet of last week"), qint64(22));
        }
        QVERIFY(disk.fill());
        PrintSession s;
        DialogScript script;
        script.then<QPrintDialog>([&](QPrintDialog* d) { printToFile(d, pdf); });
        s.model.onMenu(QStringLiteral("p1"));
        QVERIFY(script.allAnswered());
        QCOMPARE(s.platform.messageTexts(), QStringList{kPrintFailedMessage});
        QFile kept(pdf);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("the sheet of last week"));
        QCOMPARE(disk.names(), QStringList{QStringLiteral("sheet.pdf")});
    }

    // A printer that cannot start the job (here: the folder of the PDF file chosen went away,
    // as a USB stick does) prints nothing and says so; the batch stays armed, and the next
    // print dialog can choose again.
    void printerThatCannotStartIsReported() {
        PrintSession s;
        QVERIFY(QDir(s.dir.path()).mkdir(QStringLiteral("stick")));
        const QString lost = s.path(QStringLiteral("stick/sheet.pdf"));
        DialogScript script;
        script.then<QPrintDialog>([&](QPrintDialog* d) { printToFile(d, lost); });
        s.model.onMenu(QStringLiteral("pst"));
        QVERIFY(script.allAnswered());
        QVERIFY(QDir(s.path(QStringLiteral("stick"))).removeRecursively());

        s.model.onMenu(QStringLiteral("asel"));
        s.model.onMenu(QStringLiteral("p1"));
        QCOMPARE(s.platform.messageTexts(), QStringList{kPrintFailedMessage});
        QCOMPARE(s.platform.messages[0].title, QStringLiteral("確認メッセージ"));
        QCOMPARE(s.model.combo1.backColor, kColorGreen);
        QVERIFY(!QFileInfo::exists(lost));

        // Back to a dialog at each print: the lost file is offered, another one chosen.
        s.model.onMenu(QStringLiteral("upri"));
        const QString pdf = s.path(QStringLiteral("again.pdf"));
        QString offered;
        script.then<QPrintDialog>([&](QPrintDialog* d) {
            offered = fileName(d)->text();
            printToFile(d, pdf);
        });
        s.model.onMenu(QStringLiteral("p1"));
        QVERIFY(script.allAnswered());
        QCOMPARE(script.unexpected, QStringList());
        // In the folder chosen last, named after this job (every page: the batch).
        QCOMPARE(offered, s.path(QStringLiteral("stick/2011字楽坊 - 書き取り（全1頁）.pdf")));
        QCOMPARE(s.platform.messages.size(), size_t(1));
        QCOMPARE(pdfInfo(pdf).value(QStringLiteral("Pages")), QStringLiteral("1"));
        QCOMPARE(s.model.combo1.backColor, kColorWhite);
    }

    // A machine without any printer: the printer is a PDF printer without a file, which
    // QPainter cannot begin on. The teacher is told instead of nothing happening; the printer,
    // which Qt leaves "active" after the failed start, is replaced so that the next dialog can
    // still choose a file.
    void noPrinterAtAllIsReported() {
        struct FirstWithoutDialog : DialogPlatform {
            bool skipDialog = true;
            bool showPrinter(bool setupForm, const QString& jobName) override {
                return skipDialog || QtPlatform::showPrinter(setupForm, jobName);
            }
        } platform;
        QTemporaryDir dir;
        platform.cwd = dir.path();
        platform.printer().setOutputFileName(QString());
        platform.printer().setOutputFormat(QPrinter::PdfFormat);
        Workbook workbook;
        MainWindow model(platform, workbook);
        model.startUp();
        model.onMenu(QStringLiteral("np"));
        model.registerHeading();
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        model.onMenu(QStringLiteral("p2"));
        QCOMPARE(platform.messageTexts(), QStringList{kPrintFailedMessage});

        platform.skipDialog = false;
        const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
        DialogScript script;
        script.then<QPrintDialog>([&](QPrintDialog* d) { printToFile(d, pdf); });
        model.onMenu(QStringLiteral("p2"));
        QVERIFY(script.allAnswered());
        QCOMPARE(script.unexpected, QStringList());
        QCOMPARE(platform.messages.size(), size_t(1));
        QCOMPARE(pdfInfo(pdf).value(QStringLiteral("Pages")), QStringLiteral("1"));
    }

    // The toolbar's 漢字練習帳 and 一覧票印刷 (and the menu's 学年配当表印刷) of the window
    // print through the print dialog into a PDF file proposed, named and titled as the
    // command line names the job; a printer that cannot start them says so, as for the sheets.
    void lookupPanelPrintsAreNamedAsTheCommandLineNamesThem() {
        PrintSession s;
        MainWindowView view(s.model, s.platform);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.toolbarAction(12)->trigger();  // 単漢字表示
        s.model.lookupPanel.onGradeClick(1);
        s.model.lookupPanel.onCellClick(0);
        view.refresh();
        const QString kanji = s.model.lookupPanel.label101[0].caption;
        QCOMPARE(kanji.size(), 1);

        struct Print {
            std::function<void()> click;
            QString job;
        } prints[] = {
            {[&] { view.toolbarAction(24)->trigger(); }, QStringLiteral("2011字楽坊 - 漢字練習帳 ") + kanji},
            {[&] { view.toolbarAction(23)->trigger(); }, QStringLiteral("2011字楽坊 - 漢字一覧表 1年")},
            {[&] { view.menuAction(QStringLiteral("hth"))->trigger(); },
             QStringLiteral("2011字楽坊 - 漢字一覧表 1年")},
        };
        int n = 0;
        for (const Print& p : prints) {
            const QString pdf = s.path(QStringLiteral("panel%1.pdf").arg(++n));
            QString proposed;
            DialogScript script;
            script.then<QPrintDialog>([&](QPrintDialog* d) {
                printers(d)->setCurrentIndex(printers(d)->count() - 1);
                proposed = fileName(d)->text();
                printToFile(d, pdf);
            });
            p.click();
            QVERIFY(script.allAnswered());
            QCOMPARE(script.unexpected, QStringList());
            // The first print proposes a file named after its job; later ones the file chosen.
            if (n == 1)
                QVERIFY2(proposed.endsWith(u'/' + p.job + QStringLiteral(".pdf")), qPrintable(proposed));
            const auto info = pdfInfo(pdf);
            QCOMPARE(info.value(QStringLiteral("Title")), p.job);
            QCOMPARE(info.value(QStringLiteral("Pages")), QStringLiteral("1"));
        }
        QCOMPARE(s.platform.messageTexts(), QStringList());
        QCOMPARE(s.model.lookupPanel.practiceKanji, kanji);

        // The folder of the PDF file went away: both prints say so.
        QVERIFY(QDir(s.dir.path()).mkdir(QStringLiteral("stick")));
        DialogScript script;
        script.then<QPrintDialog>(
            [&](QPrintDialog* d) { printToFile(d, s.path(QStringLiteral("stick/b.pdf"))); });
        s.model.onMenu(QStringLiteral("pst"));
        QVERIFY(script.allAnswered());
        QVERIFY(QDir(s.path(QStringLiteral("stick"))).removeRecursively());
        view.toolbarAction(24)->trigger();
        view.toolbarAction(23)->trigger();
        QCOMPARE(s.platform.messageTexts(), (QStringList{kPrintFailedMessage, kPrintFailedMessage}));
        QCOMPARE(s.platform.messages[0].title, QStringLiteral("確認メッセージ"));
    }

    // Ruled paper from the window on a computer without a printer: the PDF file that stands in
    // for it keeps the printable area of a common printer, 5 mm on every side, as the command
    // line prints it; its title is the job's name.
    void ruledPaperAsAPdfKeepsTheMargins() {
        QTemporaryDir dir;
        NoPrinterPlatform platform;
        platform.cwd = dir.path();
        const QString pdf = dir.filePath(QStringLiteral("lines.pdf"));
        platform.savePaths = {pdf};
        Workbook workbook;
        MainWindow model(platform, workbook);
        model.startUp();
        model.onMenu(QStringLiteral("yokokei"));  // 横罫線用紙作成
        QVERIFY(model.ruledWindow.isOpen());
        model.ruledWindow.onCommand1Click();
        QCOMPARE(platform.messageTexts(), QStringList());
        QCOMPARE(platform.proposed, QStringList{dir.filePath(QStringLiteral("罫線用紙.pdf"))});
        const auto info = pdfInfo(pdf);
        QCOMPARE(info.value(QStringLiteral("Title")), QStringLiteral("2011字楽坊 - 罫線用紙"));
        QCOMPARE(info.value(QStringLiteral("Pages")), QStringLiteral("1"));

        // The title "ナナホシ舎" above the first line stands a character's width (7 pt) below
        // the top of the printable area: at about 14.2 + 7 = 21.2 pt from the paper's top
        // (7 pt without the margins), and ends at the lines' right end.
        QList<PdfWord> titles;
        for (const PdfWord& w : pdfWords(pdf))
            if (w.text == QStringLiteral("ナナホシ舎")) titles << w;
        QCOMPARE(titles.size(), 2);
        const PdfWord& top = titles[0].box.top() < titles[1].box.top() ? titles[0] : titles[1];
        QVERIFY2(top.box.top() > 19.5 && top.box.top() < 23, qPrintable(QString::number(top.box.top())));
        QVERIFY2(top.box.right() < 531.1 + 1, qPrintable(QString::number(top.box.right())));

        // The first line: 300 twips (15 pt) below the area's top, from 500 twips (25 pt) to the
        // printable width (11339 twips) less 1000, all moved 5 mm (14.2 pt) in: y 29.2, x 39.2
        // to 531.1 (without the margins: y 15, x 25 to 545.3).
        const QImage page = pdfPicture(pdf);
        QVERIFY(!page.isNull());
        QCOMPARE(page.size(), QSize(595, 842));
        int firstLine = -1, left = -1, right = -1;
        for (int y = 0; y < page.height() && firstLine < 0; ++y) {
            int dark = 0, l = -1, r = -1;
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 160) {
                    ++dark;
                    if (l < 0) l = x;
                    r = x;
                }
            if (dark > 400) {
                firstLine = y;
                left = l;
                right = r;
            }
        }
        QVERIFY2(qAbs(firstLine - 29) <= 1, qPrintable(QString::number(firstLine)));
        QVERIFY2(qAbs(left - 39) <= 1, qPrintable(QString::number(left)));
        QVERIFY2(qAbs(right - 531) <= 1, qPrintable(QString::number(right)));
    }

    // The preview comes first (no print dialog before it), opens at 80% of the screen with its
    // print button in sight and its fields named; its print button shows the print dialog once,
    // which proposes the job's name, prints and closes the preview.
    void previewOpensLargeEnoughToPrintFrom() {
        PrintSession s;
        s.model.onMenu(QStringLiteral("pvw"));
        DialogScript script;
        QSize size;
        bool printButtonShown = false;
        QString docName, proposed;
        QStringList fieldNames;
        bool previewClosed = false;
        script.then<QPrintPreviewDialog>([&](QPrintPreviewDialog* d) {
            size = d->size();
            auto* bar = d->findChild<QToolBar*>();
            QAction* print = nullptr;
            for (QAction* a : bar->actions())
                if (a->text() == QStringLiteral("印刷")) {
                    print = a;
                    QWidget* button = bar->widgetForAction(a);
                    printButtonShown =
                        button && button->isVisible() && bar->rect().contains(button->geometry());
                }
            for (QWidget* w : bar->findChildren<QWidget*>())
                if ((qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w)) && w->isVisible())
                    fieldNames << w->accessibleName();
            docName = d->printer()->docName();
            QPointer<QPrintPreviewDialog> preview(d);
            QVERIFY(print);
            print->trigger();
            previewClosed = !preview || !preview->isVisible();
        });
        script.then<QPrintDialog>([&](QPrintDialog* d) {
            printers(d)->setCurrentIndex(printers(d)->count() - 1);
            proposed = fileName(d)->text();
            printToFile(d, s.path(QStringLiteral("p.pdf")));
        });
        s.model.onMenu(QStringLiteral("p1"));
        QVERIFY(script.allAnswered());
        QCOMPARE(script.unexpected, QStringList());
        QVERIFY(previewClosed);
        QVERIFY2(proposed.endsWith(QStringLiteral("/2011字楽坊 - 三年一組 - 書き取り.pdf")),
                 qPrintable(proposed));
        QCOMPARE(pdfInfo(s.path(QStringLiteral("p.pdf"))).value(QStringLiteral("Title")),
                 QStringLiteral("2011字楽坊 - 三年一組 - 書き取り"));
        QVERIFY(!fieldNames.isEmpty());
        for (const QString& name : fieldNames) QVERIFY2(!name.isEmpty(), qPrintable(fieldNames.join(u',')));
        QVERIFY(fieldNames.contains(QStringLiteral("倍率")));
        QVERIFY(fieldNames.contains(QStringLiteral("ページ番号")));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(size.width() >= screen.width() * 8 / 10 && size.height() >= screen.height() * 8 / 10,
                 qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height())));
        QVERIFY(printButtonShown);
        QCOMPARE(docName, QStringLiteral("2011字楽坊 - 三年一組 - 書き取り"));
    }
};

QTEST_MAIN(PrintDialogsTest)
#include "print_dialogs_test.moc"
