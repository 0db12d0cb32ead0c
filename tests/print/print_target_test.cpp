// printToTarget: the one way a drawing reaches a PDF file or a printer queue. What it writes,
// and that a failed job leaves files as they were and writes no trace.
#include "render/print_target.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>

#include "core/printing/print_surface.h"
#include "full_disk.h"
#include "gui_app.h"

namespace {

QByteArray contentsOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void oneLine(PrintSurface& s) {
    s.setPaperSize(Paper::A4);
    s.setOrientation(Orientation::Portrait);
    s.setFontName(QStringLiteral("ＭＳ 明朝"));
    s.setFontSize(20);
    s.setCurrentX(1000);
    s.setCurrentY(1000);
    s.printText(QStringLiteral("漢字の練習"));
    s.endDocument();
}

TEST(PrintTarget, PdfHasTheTitleOnePageAndTheTrace) {
    ensureApp();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    const QString trace = dir.filePath(QStringLiteral("out.jsonl"));
    const PrintOutcome outcome =
        printToTarget(PrintTarget::pdfFile(pdf, trace), QStringLiteral("漢字練習帳 学"), oneLine);
    ASSERT_TRUE(outcome.ok()) << outcome.error.toStdString();
    EXPECT_EQ(outcome.pages, 1);

    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_TRUE(info.waitForFinished(10000));
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Title: +漢字練習帳 学\n"))))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Pages: +1\n")))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Page size: +595 x 842 pts \\(A4\\)"))))
        << text.toStdString();

    const QList<QByteArray> lines = contentsOf(trace).trimmed().split('\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines.contains(R"({"op":"page","width":11339.0708661,"height":16271.0708661})"));
    EXPECT_EQ(lines.last(), QByteArray(R"({"op":"endDocument"})"));
}

// A job that draws no page, or cannot be written: a message, and the files at both paths as
// they were (or still missing).
TEST(PrintTarget, AFailedPdfLeavesBothFilesAsTheyWere) {
    ensureApp();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    const QString trace = dir.filePath(QStringLiteral("out.jsonl"));
    const QString missingFolder = dir.filePath(QStringLiteral("none/out.pdf"));
    struct Case {
        const char* name;
        QString pdf, trace;
        std::function<void(PrintSurface&)> draw;
        QString message;
    };
    const Case cases[] = {
        {"nothing drawn", pdf, trace, [](PrintSurface& s) { s.endDocument(); },
         QStringLiteral("印刷するものがありません")},
        {"pdf folder missing", missingFolder, trace, oneLine,
         QStringLiteral("none/out.pdf: 書き込めません。保存先のフォルダーが見つかりません。")},
        {"trace folder missing", pdf, dir.filePath(QStringLiteral("none/t.jsonl")), oneLine,
         QStringLiteral("none/t.jsonl: 書き込めません。保存先のフォルダーが見つかりません。")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        put(pdf, "old pdf");
        put(trace, "old trace");
        const PrintOutcome outcome =
            printToTarget(PrintTarget::pdfFile(c.pdf, c.trace), QStringLiteral("x"), c.draw);
        EXPECT_FALSE(outcome.ok());
        EXPECT_TRUE(outcome.error.contains(c.message)) << outcome.error.toStdString();
        EXPECT_EQ(contentsOf(pdf), QByteArray("old pdf"));
        EXPECT_EQ(contentsOf(trace), QByteArray("old trace"));
        EXPECT_FALSE(QFile::exists(missingFolder));
    }
}

// On a full disk neither the PDF nor its trace is replaced, nothing of the job is left on
// the disk, and the message says why; a later job removes what a killed one left behind.
TEST(PrintTarget, AFullDiskKeepsTheOldPdfAndTrace) {
    ensureApp();
    SmallDisk disk;
    SKIP_WITHOUT_SMALL_DISK(disk);
    const QString pdf = disk.path(QStringLiteral("out.pdf"));
    const QString trace = disk.path(QStringLiteral("out.jsonl"));
    const QByteArray oldPdf = QByteArray("%PDF-1.4 an old sheet ") + QByteArray(300, 'x');
    for (const bool withTrace : {false, true}) {
        SCOPED_TRACE(withTrace);
        put(pdf, oldPdf);
        put(trace, "old trace");
        ASSERT_TRUE(disk.fill());
        const PrintOutcome outcome = printToTarget(PrintTarget::pdfFile(pdf, withTrace ? trace : QString()),
                                                   QStringLiteral("x"), oneLine);
        EXPECT_FALSE(outcome.ok());
        EXPECT_TRUE(
            outcome.error.contains(QStringLiteral("out.pdf: "
                                                  "書き込めません。保存先の空き容量が足りません。不要なファイ"
                                                  "ルを消すか、別の場所に保存してください。")) ||
            outcome.error.contains(QStringLiteral("out.jsonl: "
                                                  "書き込めません。保存先の空き容量が足りません。不要なファイ"
                                                  "ルを消すか、別の場所に保存してください。")))
            << outcome.error.toStdString();
        EXPECT_EQ(contentsOf(pdf), oldPdf);
        EXPECT_EQ(contentsOf(trace), QByteArray("old trace"));
        EXPECT_EQ(disk.names(), QStringList({QStringLiteral("out.jsonl"), QStringLiteral("out.pdf")}));
        disk.empty();
    }
    // What a killed job left (an hour old, named as the writer names its files) goes with the
    // next job of the same output; a file of the teacher's named like it stays.
    const QString left = disk.path(QStringLiteral(".out.pdf.jirakubo-KiLlEd.tmp"));
    const QString teachers = disk.path(QStringLiteral("out.pdf.AbCdEf"));
    for (const QString& name : {left, teachers}) {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("%PDF-1.4 half");
        f.flush();
        ASSERT_TRUE(
            f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    }
    const PrintOutcome outcome = printToTarget(PrintTarget::pdfFile(pdf), QStringLiteral("x"), oneLine);
    ASSERT_TRUE(outcome.ok()) << outcome.error.toStdString();
    EXPECT_TRUE(contentsOf(pdf).startsWith("%PDF-"));
    EXPECT_NE(contentsOf(pdf), oldPdf);
    EXPECT_FALSE(QFile::exists(left));
    EXPECT_TRUE(QFile::exists(teachers));
}

// With no print system to reach, a printer job fails before anything is drawn or written.
TEST(PrintTarget, NoPrintSystemNoJobNoTrace) {
    ensureApp();
    QTemporaryDir dir;
    const QByteArray saved = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", QDir(dir.path()).filePath(QStringLiteral("no-cups.sock")).toLocal8Bit());
    EXPECT_TRUE(printerQueues().isEmpty());
    const QString trace = dir.filePath(QStringLiteral("t.jsonl"));
    for (const PrintTarget& target :
         {PrintTarget::printerQueue(QStringLiteral("PDF"), trace), PrintTarget::defaultPrinter(trace)}) {
        bool drawn = false;
        const PrintOutcome outcome = printToTarget(target, QStringLiteral("x"), [&](PrintSurface& s) {
            drawn = true;
            oneLine(s);
        });
        EXPECT_FALSE(outcome.ok());
        EXPECT_TRUE(outcome.error.contains(QStringLiteral("印刷システム（CUPS）が動いていないか")))
            << outcome.error.toStdString();
        EXPECT_FALSE(drawn);
        EXPECT_FALSE(QFile::exists(trace));
    }
    if (saved.isNull())
        qunsetenv("CUPS_SERVER");
    else
        qputenv("CUPS_SERVER", saved);
}

}  // namespace
