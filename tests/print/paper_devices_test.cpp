// The paper generators on the Qt devices: the PDF file that stands in for a missing printer,
// and a device with margins, where the paper keeps inside the printable area.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTemporaryDir>

#include "gui_app.h"
#include "paper/manuscript_paper.h"
#include "paper/ruled_paper.h"
#include "printing/recording_surface.h"
#include "qt_platform.h"
#include "qt_print_surface.h"

namespace {

TEST(PaperDevices, PdfFileStandsInForAPrinter) {
    ensureApp();
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("罫線.pdf"));
    QtPlatform platform;
    {
        std::unique_ptr<PrintSurface> s = platform.pdfFileSurface(path);
        ASSERT_TRUE(s);
        drawRuledPaper(*s, RuledPaperOptions{});
        s->endDocument();
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.contains("/Count 1")) << "not one page";
}

TEST(PaperDevices, AnUnwritablePdfFileGivesNoDevice) {
    ensureApp();
    QTemporaryDir dir;
    QtPlatform platform;
    EXPECT_FALSE(platform.pdfFileSurface(QDir(dir.path()).filePath(QStringLiteral("no/such/folder/x.pdf"))));
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
