// The paper generators on the Qt devices: the PDF file that stands in for a missing printer,
// and a device with margins, where the paper keeps inside the printable area.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "core/paper/manuscript_paper.h"
#include "core/paper/ruled_paper.h"
#include "core/printing/recording_surface.h"
#include "gui_app.h"
#include "platform/qt_platform.h"
#include "render/qt_print_surface.h"

namespace {

// A4 in the printable area of a common printer (5 mm off every side of 11906 x 16838 twips),
// titled with the job's name.
TEST(PaperDevices, PdfFileStandsInForAPrinter) {
    ensureApp();
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("罫線.pdf"));
    QtPlatform platform;
    {
        std::unique_ptr<PrintSurface> s =
            platform.pdfFileSurface(path, QStringLiteral("2011字楽坊 - 罫線用紙"));
        ASSERT_TRUE(s);
        drawRuledPaper(*s, RuledPaperOptions{});
        EXPECT_NEAR(s->pageWidth(), 11339.1, 0.1);
        EXPECT_NEAR(s->pageHeight(), 16271.1, 0.1);
        EXPECT_EQ(s->paperWidth(), 11906);
        s->endDocument();
        EXPECT_FALSE(s->failed());
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.contains("/Count 1")) << "not one page";
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    ASSERT_TRUE(info.waitForFinished(10000));
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput())
                    .contains(QRegularExpression(QStringLiteral("Title: +2011字楽坊 - 罫線用紙\n"))));
}

// A PDF file that cannot be finished (the disk is full) fails the job and leaves the file that
// was there as it was; so does a job never ended.
TEST(PaperDevices, AFullDiskLeavesTheOldPdfFile) {
    ensureApp();
    QTemporaryDir dir;
    const QString mountPoint = QDir(dir.path()).filePath(QStringLiteral("small"));
    ASSERT_TRUE(QDir().mkpath(mountPoint));
    QProcess mount;
    mount.start(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                          QStringLiteral("size=64k"), QStringLiteral("tmpfs"), mountPoint});
    if (!mount.waitForFinished(10000) || mount.exitCode() != 0) GTEST_SKIP() << "cannot mount a tmpfs here";
    struct Unmount {
        QString at;
        ~Unmount() { QProcess::execute(QStringLiteral("umount"), {at}); }
    } unmount{mountPoint};

    const QString path = QDir(mountPoint).filePath(QStringLiteral("罫線.pdf"));
    const QByteArray old("%PDF-1.4 the teacher's earlier sheet\n");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(old);
    }
    const auto readBack = [&path] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    QtPlatform platform;
    {
        // Never ended: the old file stays.
        std::unique_ptr<PrintSurface> s = platform.pdfFileSurface(path, QString());
        ASSERT_TRUE(s);
        drawRuledPaper(*s, RuledPaperOptions{});
    }
    EXPECT_EQ(readBack(), old);

    // The disk full: not a block left for the new file.
    {
        QFile filler(QDir(mountPoint).filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        filler.write(QByteArray(60 * 1024, 'x'));
    }
    std::unique_ptr<PrintSurface> s = platform.pdfFileSurface(path, QString());
    ASSERT_TRUE(s);
    ManuscriptOptions o;
    o.title = QStringLiteral("原稿用紙の題名をここに書きます");
    drawManuscriptPaper(*s, o);
    s->endDocument();
    EXPECT_TRUE(s->failed());
    EXPECT_EQ(readBack(), old);
    EXPECT_EQ(QDir(mountPoint).entryList(QDir::Files), (QStringList{"filler", "罫線.pdf"}));
}

TEST(PaperDevices, AnUnwritablePdfFileGivesNoDevice) {
    ensureApp();
    QTemporaryDir dir;
    QtPlatform platform;
    EXPECT_FALSE(platform.pdfFileSurface(QDir(dir.path()).filePath(QStringLiteral("no/such/folder/x.pdf")),
                                         QString()));
}

// A device with 5 mm margins: every line of both papers stays inside its printable area.
TEST(PaperDevices, PapersKeepInsideTheMarginsOfTheDevice) {
    ensureApp();
    for (int paper = 0; paper < 3; ++paper) {
        QBuffer buf;
        buf.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buf);
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
        QtPrintSurface device(writer);
        RecordingSurface rs(&device);
        if (paper == 2) {
            RuledPaperOptions o;
            o.centerLines = true;
            drawRuledPaper(rs, o);
        } else {
            ManuscriptOptions o;
            o.b4 = paper == 1;
            o.cross = true;
            drawManuscriptPaper(rs, o);
        }
        EXPECT_LT(device.pageWidth(), device.paperWidth());
        int lines = 0;
        for (const auto& op : rs.ops()) {
            if (op.kind != RecordingSurface::Kind::Line && op.kind != RecordingSurface::Kind::Box) continue;
            ++lines;
            EXPECT_LE(std::max(op.x1, op.x2), device.pageWidth()) << paper;
            EXPECT_LE(std::max(op.y1, op.y2), device.pageHeight()) << paper;
        }
        EXPECT_GT(lines, 20);
        rs.endDocument();
    }
}

}  // namespace
