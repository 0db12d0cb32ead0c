// The Qt print surface on a PDF writer: page sizes, page breaks, faces, embedded fonts and
// where the vertical forms land, checked on the rendered page.
#include "render/qt_print_surface.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>

#include "core/data/workbook.h"
#include "gui_app.h"
#include "render/font_mapping.h"
#include "render/pdf_output.h"

namespace {

// Draws on a margin-free A4 PDF in memory and returns its bytes.
QByteArray pdfOf(const std::function<void(QtPrintSurface&)>& draw, int* pages = nullptr) {
    ensureApp();
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buf);
        writer.setResolution(1200);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QtPrintSurface s(writer);
        draw(s);
        if (pages) *pages = s.pageCount();
    }
    return buf.data();
}

int pdfPageCount(const QByteArray& pdf) {
    return static_cast<int>(
        QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

QStringList mediaBoxes(const QByteArray& pdf) {
    QStringList out;
    auto it = QRegularExpression(QStringLiteral("/MediaBox\\s*\\[([^\\]]*)\\]"))
                  .globalMatch(QString::fromLatin1(pdf));
    while (it.hasNext()) out << it.next().captured(1).simplified();
    return out;
}

TEST(QtPrintSurface, PageSizesInTwips) {
    ensureApp();
    struct Case {
        Paper paper;
        Orientation orientation;
        int w, h;
    } cases[] = {{Paper::A4, Orientation::Portrait, 11906, 16838},
                 {Paper::A4, Orientation::Landscape, 16838, 11906},
                 {Paper::B4, Orientation::Portrait, 14570, 20636},
                 {Paper::B4, Orientation::Landscape, 20636, 14570}};
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buf);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QtPrintSurface s(writer);
    for (const Case& c : cases) {
        s.setPaperSize(c.paper);
        s.setOrientation(c.orientation);
        EXPECT_EQ(s.paperWidth(), c.w);
        EXPECT_EQ(s.paperHeight(), c.h);
        EXPECT_DOUBLE_EQ(s.pageWidth(), c.w);  // no margins
        EXPECT_DOUBLE_EQ(s.pageHeight(), c.h);
    }
}

TEST(QtPrintSurface, PageBreaks) {
    struct Case {
        const char* name;
        std::function<void(QtPrintSurface&)> draw;
        int pages;
    } cases[] = {
        {"break then end adds no page",
         [](QtPrintSurface& s) {
             s.drawLine(0, 0, 100, 100);
             s.newPage();
             s.endDocument();
         },
         1},
        {"batch of three, each followed by a break",
         [](QtPrintSurface& s) {
             for (int i = 0; i < 3; ++i) {
                 s.printText(QStringLiteral("字"));
                 s.newPage();
             }
             s.endDocument();
         },
         3},
        {"a break on an empty page gives a blank page",
         [](QtPrintSurface& s) {
             s.drawLine(0, 0, 100, 100);
             s.newPage();
             s.newPage();
             s.drawLine(0, 0, 100, 100);
             s.endDocument();
         },
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int pages = 0;
        const QByteArray pdf = pdfOf(c.draw, &pages);
        EXPECT_EQ(pages, c.pages);
        EXPECT_EQ(pdfPageCount(pdf), c.pages);
    }
}

TEST(QtPrintSurface, PaperAndOrientationSetAfterABreakApplyToTheNextPage) {
    const QByteArray pdf = pdfOf([](QtPrintSurface& s) {
        s.setPaperSize(Paper::A4);
        s.setOrientation(Orientation::Landscape);
        s.drawLine(0, 0, 100, 100);
        s.newPage();
        s.setPaperSize(Paper::B4);
        s.setOrientation(Orientation::Portrait);
        s.drawLine(0, 0, 100, 100);
        s.newPage();
        s.endDocument();
    });
    const QStringList boxes = mediaBoxes(pdf);
    ASSERT_EQ(boxes.size(), 2);
    // Points: A4 landscape 842 x 595, JIS B4 portrait 729 x 1032.
    const auto dims = [](const QString& box) {
        const QStringList v = box.split(QLatin1Char(' '));
        return std::pair{qRound(v[2].toDouble()), qRound(v[3].toDouble())};
    };
    EXPECT_EQ(dims(boxes[0]), (std::pair{842, 595}));
    EXPECT_EQ(dims(boxes[1]), (std::pair{729, 1032}));
}

TEST(QtPrintSurface, WindowsFacesMapToJapaneseFaces) {
    ensureApp();
    struct Case {
        QString name, family;
    } cases[] = {
        {QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho")},
        {QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho")},
        {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")},
        {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic")},
        {QStringLiteral("@ＭＳ 明朝"), QStringLiteral("IPAMincho")},
        {QStringLiteral("@ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")},
        {QStringLiteral("ＨＧ正楷書体-PRO"), QStringLiteral("IPAMincho")},  // not installed
        {QString(), QStringLiteral("IPAMincho")},
    };
    for (const Case& c : cases) EXPECT_EQ(resolveFontFamily(c.name), c.family) << c.name.toStdString();
    // An installed face without kana is not used.
    for (const char* latin : {"DejaVu Sans", "Liberation Serif"})
        EXPECT_EQ(resolveFontFamily(QString::fromLatin1(latin)), QStringLiteral("IPAMincho")) << latin;
}

TEST(QtPrintSurface, PunctuationSmallKanaAndBracketsHaveVerticalForms) {
    ensureApp();
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buf);
    QtPrintSurface s(writer);
    for (const QString& face :
         {QStringLiteral("ＭＳ 明朝"), QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("ＭＳ ゴシック")}) {
        s.setFontName(face);
        for (char32_t c : U"。、ーゃっ（）「」")
            if (c) {
                EXPECT_NE(s.verticalGlyph(c), s.horizontalGlyph(c))
                    << face.toStdString() << " U+" << std::hex << static_cast<unsigned>(c);
                EXPECT_NE(s.verticalGlyph(c), 0u);
            }
        // Kanji keep their glyph; proportional faces take full-width kana in columns.
        for (char32_t c : U"漢字①")
            if (c) EXPECT_EQ(s.verticalGlyph(c), s.horizontalGlyph(c)) << face.toStdString();
    }
}

TEST(QtPrintSurface, PdfEmbedsTrueTypeFontsNeverType3) {
    const QByteArray pdf = pdfOf([](QtPrintSurface& s) {
        for (const QString& face : {QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("@ＭＳ 明朝"),
                                    QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("ＭＳ ゴシック")}) {
            s.setFontName(face);
            s.setFontSize(20);
            s.setColumnForms(true);
            s.printText(QStringLiteral("①漢字。"));
            s.printText(QStringLiteral("ー"));
        }
        s.endDocument();
    });
    const QString text = QString::fromLatin1(pdf);
    EXPECT_FALSE(text.contains(QLatin1String("/Type3")));
    EXPECT_GE(text.count(QLatin1String("/FontFile2")), 4);
    EXPECT_GE(text.count(QLatin1String("/CIDFontType2")), 4);
    for (const char* family : {"IPAPMincho", "IPAMincho", "IPAPGothic", "IPAGothic"})
        EXPECT_TRUE(text.contains(
            QRegularExpression(QStringLiteral("/BaseFont\\s*/(\\w+\\+)?%1\\b").arg(QLatin1String(family)))))
            << family;
    // Subsets: the four faces together weigh megabytes, the document stays small.
    EXPECT_LT(pdf.size(), 200 * 1024);
}

// The page rendered in grey at 72 dpi: one pixel is 20 twips.
struct Raster {
    int w = 0, h = 0;
    QByteArray px;
    bool ink(int x, int y) const { return static_cast<unsigned char>(px[y * w + x]) < 128; }
    // The bounding box of the ink inside a rectangle (twips), in twips relative to its corner.
    QRectF inkIn(const QRectF& twips) const {
        int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
        for (int y = static_cast<int>(twips.top() / 20); y < static_cast<int>(twips.bottom() / 20); ++y)
            for (int x = static_cast<int>(twips.left() / 20); x < static_cast<int>(twips.right() / 20); ++x)
                if (x >= 0 && y >= 0 && x < w && y < h && ink(x, y)) {
                    x0 = std::min(x0, x);
                    y0 = std::min(y0, y);
                    x1 = std::max(x1, x);
                    y1 = std::max(y1, y);
                }
        if (x1 < 0) return {};
        return QRectF(x0 * 20 - twips.left(), y0 * 20 - twips.top(), (x1 - x0 + 1) * 20, (y1 - y0 + 1) * 20);
    }
};

Raster render(const QByteArray& pdf) {
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("page.pdf")));
    f.open(QIODevice::WriteOnly);
    f.write(pdf);
    f.close();
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-gray"),
             QStringLiteral("-singlefile"), f.fileName(), dir.filePath(QStringLiteral("page"))});
    p.waitForFinished(60000);
    QFile img(dir.filePath(QStringLiteral("page.pgm")));
    Raster r;
    if (!img.open(QIODevice::ReadOnly)) return r;
    const QByteArray data = img.readAll();
    // P5 <w> <h> <max>\n<pixels>
    const QList<QByteArray> head = data.left(64).simplified().split(' ');
    if (head.size() < 4 || head[0] != "P5") return r;
    r.w = head[1].toInt();
    r.h = head[2].toInt();
    r.px = data.right(r.w * r.h);
    return r;
}

// One character in a cell of 200 pt (4000 twips) at (2000, 2000); the ink box within the cell.
QRectF inkOf(const QString& face, bool columnForms, const QString& ch) {
    const QByteArray pdf = pdfOf([&](QtPrintSurface& s) {
        s.setFontName(face);
        s.setFontSize(200);
        s.setColumnForms(columnForms);
        s.setCurrentX(2000);
        s.setCurrentY(2000);
        s.printText(ch);
        s.endDocument();
    });
    const Raster r = render(pdf);
    EXPECT_GT(r.w, 0) << "pdftoppm";
    return r.inkIn(QRectF(2000, 2000, 4000, 4000));
}

TEST(QtPrintSurface, VerticalFormsLandWhereVerticalWritingPutsThem) {
    const QString mincho = QStringLiteral("ＭＳ 明朝");
    const QString turned = QStringLiteral("@ＭＳ 明朝");
    struct Case {
        const char* name;
        QString face;
        bool columnForms;
        QString ch;
        std::function<bool(const QRectF&)> where;
    } cases[] = {
        // Upright in a column: the full stop and comma sit top right, the long vowel mark
        // runs down, small kana lean right.
        {"。 column", mincho, true, QStringLiteral("。"),
         [](const QRectF& b) { return b.left() > 2000 && b.bottom() < 2000; }},
        {"、 column", mincho, true, QStringLiteral("、"),
         [](const QRectF& b) { return b.left() > 2000 && b.bottom() < 2000; }},
        {"ー column", mincho, true, QStringLiteral("ー"),
         [](const QRectF& b) { return b.height() > 3 * b.width(); }},
        {"（ column", mincho, true, QStringLiteral("（"),
         [](const QRectF& b) { return b.width() > 3 * b.height(); }},
        // Without column forms the full stop stays bottom left (horizontal writing).
        {"。 across", mincho, false, QStringLiteral("。"),
         [](const QRectF& b) { return b.right() < 2000 && b.top() > 2000; }},
        // An "@" face turns the vertical form a quarter counter-clockwise: the full stop
        // goes top left, the long vowel mark lies flat, 一 stands up, the bracket opens right.
        {"。 @", turned, false, QStringLiteral("。"),
         [](const QRectF& b) { return b.right() < 2000 && b.bottom() < 2000; }},
        {"ー @", turned, false, QStringLiteral("ー"),
         [](const QRectF& b) { return b.width() > 3 * b.height(); }},
        {"一 @", turned, false, QStringLiteral("一"),
         [](const QRectF& b) { return b.height() > 3 * b.width(); }},
        {"（ @", turned, false, QStringLiteral("（"),
         [](const QRectF& b) { return b.height() > 3 * b.width() && b.left() > 2000; }},
    };
    // Small kana move up and to the right of where horizontal writing puts them.
    for (const QString& small : {QStringLiteral("っ"), QStringLiteral("ゃ")}) {
        const QRectF across = inkOf(mincho, false, small);
        const QRectF column = inkOf(mincho, true, small);
        EXPECT_GT(column.center().x(), across.center().x() + 200) << small.toStdString();
        EXPECT_LT(column.center().y(), across.center().y() - 200) << small.toStdString();
        EXPECT_NEAR(column.width(), across.width(), 100) << "same size, another place";
    }
    for (const Case& c : cases) {
        const QRectF box = inkOf(c.face, c.columnForms, c.ch);
        EXPECT_FALSE(box.isEmpty()) << c.name;
        EXPECT_TRUE(c.where(box)) << c.name << ": ink at " << box.x() << "," << box.y() << " " << box.width()
                                  << "x" << box.height();
    }
}

TEST(QtPrintSurface, TextAdvancesLikeAPrinter) {
    ensureApp();
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buf);
    QtPrintSurface s(writer);
    s.setFontName(QStringLiteral("ＭＳ 明朝"));
    s.setFontSize(20);
    EXPECT_NEAR(s.textWidth(QStringLiteral("あ")), 400, 1);
    EXPECT_NEAR(s.textWidth(QStringLiteral("漢字")), 800, 1);
    s.setFontName(QStringLiteral("@ＭＳ 明朝"));
    EXPECT_NEAR(s.textWidth(QStringLiteral("あいう")), 1200, 1);
    const double h = s.textHeight(QStringLiteral("あ"));
    EXPECT_GE(h, 400);
    EXPECT_LT(h, 480);
    s.setCurrentX(300);
    s.setCurrentY(1000);
    s.printText(QStringLiteral("字"));
    EXPECT_DOUBLE_EQ(s.currentX(), 0);
    EXPECT_DOUBLE_EQ(s.currentY(), 1000 + h);
    s.endDocument();
}

// --- printWorkbook: the PDF the command line writes ---

namespace pdfout {

// A workbook in memory: page p has heading "頁p" and in row 1 the kanji `kanji[p]`.
std::unique_ptr<Workbook> workbookOf(const QStringList& kanji) {
    auto wb = std::make_unique<Workbook>();
    for (int p = 0; p < kanji.size(); ++p) {
        wb->page(p)[kHeadingField] = QStringLiteral("頁%1").arg(p);
        wb->page(p)[kFontField] = QStringLiteral("ＭＳ 明朝");
        wb->page(p)[static_cast<size_t>(slotFieldIndex(1, SlotField::Kanji))] = kanji[p];
    }
    wb->pageCount = static_cast<int>(kanji.size());
    return wb;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace pdfout

// The sheets are drawn in the printable area of a common printer: the paper is A4, the
// sheet's coordinates start 5 mm (283.46 twips, 14.17 points) in from its top-left corner and
// its page is the paper less 5 mm on every side.
TEST(PdfOutput, SheetsStandInTheCommonPrintersArea) {
    ensureApp();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("reading.pdf"));
    const QString trace = dir.filePath(QStringLiteral("reading.jsonl"));
    const auto wb = pdfout::workbookOf({QStringLiteral("学校")});
    const WorkbookPrint result = printWorkbook(*wb, SheetKind::Reading, SheetOptions{},
                                               PageSelection::page(0), PrintTarget::pdfFile(pdf, trace));
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.pages, 1);
    const QByteArray bytes = pdfout::readAll(pdf);
    ASSERT_EQ(mediaBoxes(bytes).size(), 1);
    const QStringList box = mediaBoxes(bytes)[0].split(QLatin1Char(' '));
    EXPECT_EQ(qRound(box[2].toDouble()), 842);  // the whole A4 sheet, landscape
    EXPECT_EQ(qRound(box[3].toDouble()), 595);
    EXPECT_TRUE(
        pdfout::readAll(trace).contains(R"({"op":"page","width":16271.0708661,"height":11339.0708661})"));

    // The reading sheet's frame: its leftmost line at x = 0, its top lines at y = 200, the
    // heading strip's right side at W - 100. At 72 dpi a pixel is 20 twips.
    const Raster r = render(bytes);
    ASSERT_GT(r.w, 0);
    const QRectF ink = r.inkIn(QRectF(0, 0, r.w * 20.0, r.h * 20.0));
    const double left = 283.46, top = 283.46 + 200, right = 283.46 + 16271.07 - 100;
    EXPECT_NEAR(ink.left(), left, 30);
    EXPECT_NEAR(ink.top(), top, 30);
    EXPECT_NEAR(ink.right(), right, 30);
}

TEST(PdfOutput, RefusedTracingSheetFailsTheWholeJobAndWritesNothing) {
    ensureApp();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    const auto wb = pdfout::workbookOf(
        {QStringLiteral("学校"), QStringLiteral("十一文字の長い長い漢字"), QStringLiteral("山")});
    for (SheetKind kind : {SheetKind::Tracing, SheetKind::ThreeSheets}) {
        const WorkbookPrint result =
            printWorkbook(*wb, kind, SheetOptions{}, PageSelection::all(), PrintTarget::pdfFile(pdf));
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(
            result.error.startsWith(QStringLiteral("2ページ 1行目: １０文字を超えている箇所があります")))
            << result.error.toStdString();
        EXPECT_FALSE(QFile::exists(pdf));
    }
    // A file already there stays as it was.
    {
        QFile f(pdf);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keep");
    }
    EXPECT_FALSE(printWorkbook(*wb, SheetKind::Tracing, SheetOptions{}, PageSelection::page(1),
                               PrintTarget::pdfFile(pdf))
                     .ok());
    EXPECT_EQ(pdfout::readAll(pdf), QByteArray("keep"));
    // The other sheets, and the tracing sheets of the other pages, print.
    const WorkbookPrint dictation = printWorkbook(*wb, SheetKind::Dictation, SheetOptions{},
                                                  PageSelection::all(), PrintTarget::pdfFile(pdf));
    EXPECT_TRUE(dictation.ok());
    EXPECT_EQ(dictation.pages, 3);
    const WorkbookPrint three = printWorkbook(*wb, SheetKind::ThreeSheets, SheetOptions{},
                                              PageSelection::page(2), PrintTarget::pdfFile(pdf));
    EXPECT_TRUE(three.ok());
    EXPECT_EQ(three.pages, 3);
    EXPECT_EQ(pdfPageCount(pdfout::readAll(pdf)), 3);
}

TEST(PdfOutput, BadPagesAndPathsGiveAMessageAndNoFile) {
    ensureApp();
    QTemporaryDir dir;
    const auto wb = pdfout::workbookOf({QStringLiteral("学校")});
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    struct Case {
        const char* name;
        const Workbook* workbook;
        PageSelection pages;
        QString output, trace;
        QString message;
    };
    const auto empty = pdfout::workbookOf({});
    const Case cases[] = {
        {"page beyond", wb.get(), PageSelection::page(1), pdf, {}, QStringLiteral("2ページ目はありません")},
        {"no pages", empty.get(), PageSelection::all(), pdf, {}, QStringLiteral("ページがありません")},
        {"folder missing",
         wb.get(),
         PageSelection::all(),
         dir.filePath(QStringLiteral("none/out.pdf")),
         {},
         QStringLiteral("書き込めません")},
        {"trace folder missing", wb.get(), PageSelection::all(), pdf,
         dir.filePath(QStringLiteral("none/t.jsonl")), QStringLiteral("書き込めません")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WorkbookPrint result = printWorkbook(*c.workbook, SheetKind::Dictation, SheetOptions{}, c.pages,
                                                   PrintTarget::pdfFile(c.output, c.trace));
        EXPECT_TRUE(result.error.contains(c.message)) << result.error.toStdString();
        EXPECT_FALSE(QFile::exists(pdf));
    }
}

// Rows longer than their sheet print all the same; the result says which.
TEST(PdfOutput, ListsTheRowsThatRunOffTheirSheet) {
    ensureApp();
    QTemporaryDir dir;
    auto wb = pdfout::workbookOf({QStringLiteral("学校"), QStringLiteral("図書館")});
    wb->page(1)[static_cast<size_t>(slotFieldIndex(4, SlotField::Before))] =
        QStringLiteral("きのうはみんなでとなりの町の");
    wb->page(1)[static_cast<size_t>(slotFieldIndex(4, SlotField::Kanji))] = QStringLiteral("図書館");
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    const WorkbookPrint result = printWorkbook(*wb, SheetKind::ThreeSheets, SheetOptions{},
                                               PageSelection::all(), PrintTarget::pdfFile(pdf));
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.pages, 6);
    // The dictation sheet draws the long line closer together; the reading sheet lets it run.
    ASSERT_EQ(result.overlong.size(), 1u);
    EXPECT_EQ(result.overlong[0].pageIndex, 1);
    EXPECT_EQ(result.overlong[0].row, (OverlongRow{SheetKind::Reading, 4}));
    EXPECT_TRUE(QFile::exists(pdf));
}

TEST(PdfOutput, ReadsAWorkbookToPrintAndNothingElse) {
    ensureApp();
    Workbook wb;
    ASSERT_EQ(readWorkbookToPrint(QStringLiteral(JIRAKUBO_FIXTURES "/print_sample.mojx"), wb), std::nullopt);
    EXPECT_EQ(wb.pageCount, 3);
    EXPECT_EQ(wb.pageTable.size(), 3u);
    EXPECT_TRUE(wb.exampleTable.empty());
    EXPECT_EQ(printPageFromRecord(wb, 0).heading, QStringLiteral("三年一組　漢字テスト"));
    EXPECT_TRUE(printPageFromRecord(wb, 5).heading.isEmpty());  // beyond the pages: an empty page

    QTemporaryDir dir;
    QFile::copy(QStringLiteral(JIRAKUBO_FIXTURES "/print_sample.mojx"),
                dir.filePath(QStringLiteral("base.moj")));
    const struct {
        QString path, message;
    } failures[] = {
        {dir.filePath(QStringLiteral("none.mojx")), QStringLiteral("ファイルが見つかりません")},
        {dir.path(), QStringLiteral("ファイルではありません")},
        // The example file of the program folder; a base.moj elsewhere is a workbook like any.
        {QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("base.moj")),
         QStringLiteral("例文ファイル")},
    };
    for (const auto& f : failures) {
        Workbook other;
        const std::optional<QString> error = readWorkbookToPrint(f.path, other);
        ASSERT_TRUE(error.has_value()) << f.path.toStdString();
        EXPECT_TRUE(error->contains(f.message)) << error->toStdString();
    }
}

}  // namespace
