// The kana position window's sliders on paper: the large model characters of the tracing
// sheet (models and tracing copies), the practice book and the manuscript practice sheet move
// as the sample "亜" moved, on an upright sheet and on a sheet read after a quarter turn; the
// readings, labels and lines stay.
#include <gtest/gtest.h>

#include <set>

#include "core/printing/practice_book.h"
#include "core/windows/main/main_window.h"
#include "fake_paper_host.h"
#include "main_panels_fixture.h"
#include "print_helpers_test.h"

using namespace printtest;

namespace {

using Places = std::multiset<std::pair<double, double>>;

// Where the texts of one size stand, rounded to a tenth of a twip.
Places placesOfSize(const RecordingSurface& rs, double size) {
    Places out;
    for (const Op& op : rs.textsOfSize(size))
        out.insert({std::round(op.x() * 10) / 10, std::round(op.y() * 10) / 10});
    return out;
}

// A main window with one page whose row 1 holds 学校 (がっこう), tracing on, printing on a
// recording surface; the lookup panel lists 学 and 校.
struct ShiftWindow {
    ProgramFolder folder;
    FakePlatform platform;
    Workbook wb;
    MainWindow mw{platform, wb};
    RecordingSurface printed;

    explicit ShiftWindow(const QString& face) {
        EXPECT_TRUE(folder.write(QStringLiteral("onkun.txt"),
                                 {QStringLiteral("1,学,がく,まな(ぶ),8"), QStringLiteral("1,校,こう,,10")}));
        platform.programDir = folder.path();
        platform.cwd = folder.path();
        platform.makeSurface = [this] { return std::make_unique<RecordingSurface>(&printed); };
        PageRecord& rec = wb.page(0);
        rec[kHeadingField] = QStringLiteral("一学期");
        rec[kFontField] = face;
        rec[static_cast<size_t>(slotFieldIndex(1, SlotField::Kanji))] = QStringLiteral("学校");
        rec[static_cast<size_t>(slotFieldIndex(1, SlotField::Reading))] = QStringLiteral("がっこう");
        wb.headingList << rec[kHeadingField];
        wb.pageCount = 1;
        mw.fontName = face;
        mw.enableWorkbookCommands();
        mw.checkItem(QStringLiteral("rnzky"));  // "あり（手本となぞり書き）"
    }
    // The sliders of かな印字位置調整 as the teacher moves them.
    void slide(int vertical, int horizontal) {
        mw.openWindow(WindowId::KanaPosition);
        mw.kanaWindow.onSlider1Changed(vertical);
        mw.kanaWindow.onSlider2Changed(horizontal);
    }
};

struct SlideCase {
    const char* name;
    QString face;
    int vertical, horizontal;
    double dx, dy;  // the move on the page
};

// Down 2 steps and right 3 as the sample moved: 60 twips up and 90 to the right on an upright
// sheet; on a sheet read after a quarter turn clockwise, 60 to the left and 90 up the page.
const SlideCase kSlides[] = {
    {"ordinary face, centred", QStringLiteral("ＭＳ 明朝"), 0, 0, 0, 0},
    {"ordinary face", QStringLiteral("ＭＳ 明朝"), -2, 3, 90, -60},
    {"ordinary face, the slider ends", QStringLiteral("ＭＳ 明朝"), 10, -10, -300, 300},
    {"@ face", QStringLiteral("@ＭＳ 明朝"), -2, 3, -60, -90},
    {"@ face, the slider ends", QStringLiteral("@ＭＳ 明朝"), 10, -10, 300, 300},
};

// Row 1's word 学校 with four copies: ten squares in the column of problem 1.
TEST(ModelShift, TracingSheetModelsAndCopies) {
    for (const SlideCase& c : kSlides) {
        SCOPED_TRACE(c.name);
        ShiftWindow w(c.face);
        w.slide(c.vertical, c.horizontal);
        w.mw.onMenu(QStringLiteral("p2"));  // 印刷‐練習
        Places expected, readings;
        if (c.face.startsWith(u'@')) {
            // Band 1 from the top, the squares 1058 apart from x = 300, y = 1850.
            for (int k = 0; k < 10; ++k) expected.insert({300 + 1058.0 * k + c.dx, 1850 + c.dy});
            for (int k = 0; k < 4; ++k) readings.insert({300 + 300.0 * k, 1500});
        } else {
            // The rightmost column, x = 100 + 9 x 1481.2, the squares 1050 apart from y = 100.
            for (int k = 0; k < 10; ++k) expected.insert({13430.8 + c.dx, 100 + 1050.0 * k + c.dy});
            for (int k = 0; k < 4; ++k) readings.insert({14430.8, 200 + 300.0 * k});
        }
        EXPECT_EQ(placesOfSize(w.printed, 45), expected);
        EXPECT_EQ(placesOfSize(w.printed, 15), readings);
    }
}

TEST(ModelShift, PracticeBookModel) {
    for (const SlideCase& c : kSlides) {
        SCOPED_TRACE(c.name);
        ShiftWindow w(c.face);
        w.slide(c.vertical, c.horizontal);
        w.mw.onToolbarClick(12);  // 単漢字表示
        w.mw.lookupPanel.onGradeClick(1);
        w.mw.lookupPanel.onCellClick(0);  // 学
        w.mw.onToolbarClick(24);          // 漢字練習帳
        // Portrait: the model box from the grid, (5900, 900); landscape: (700, 2000).
        const bool turned = c.face.startsWith(u'@');
        const Places expected{{(turned ? 700 : 5900) + c.dx, (turned ? 2000 : 900) + c.dy}};
        EXPECT_EQ(placesOfSize(w.printed, 160), expected);
        // The title stays where it was.
        const auto titles = w.printed.textsOfSize(20);
        ASSERT_FALSE(titles.empty());
        EXPECT_EQ(titles[0].text, QStringLiteral("漢"));
        EXPECT_EQ(titles[0].x(), turned ? 850 : 9950);
        EXPECT_EQ(titles[0].y(), turned ? 1000 : 900);
    }
}

// The stroke-order model moves by the same amount from its own place.
TEST(ModelShift, StrokeOrderModel) {
    PracticeBookInput in;
    in.selectedCell = QStringLiteral("学");
    in.strokeOrder = true;
    in.modelShift = {90, -60};
    in.statusFontName = QStringLiteral("ＭＳ 明朝");
    RecordingSurface rs;
    drawPracticeBook(rs, in);
    EXPECT_EQ(placesOfSize(rs, 160), (Places{{5990, 340}}));
}

// The manuscript practice sheet: 話す on row 3, in its first two squares.
TEST(ModelShift, ManuscriptPracticeSheetModels) {
    for (const SlideCase& c : kSlides) {
        SCOPED_TRACE(c.name);
        FakePaperHost host;
        RecordingSurface printed;
        host.fake.makeSurface = [&printed] { return std::make_unique<RecordingSurface>(&printed); };
        host.grid[3][3] = QStringLiteral("話す");
        host.grid[3][4] = QStringLiteral("はなす");
        host.font = c.face;
        KanaPositionWindow kana(host, host);
        kana.open();
        kana.onSlider1Changed(c.vertical);
        kana.onSlider2Changed(c.horizontal);
        ManuscriptWindow window(host, host);
        QTemporaryDir dir;
        host.fake.cwd = dir.path();
        window.open();
        window.onCommand2Click();
        // Row 3's squares: the first at x 570, the next 1040 further; y 3250.
        EXPECT_EQ(placesOfSize(printed, 45), (Places{{570 + c.dx, 3250 + c.dy}, {1610 + c.dx, 3250 + c.dy}}));
        ASSERT_EQ(printed.textsOfSize(9).size(), 1u);
        EXPECT_EQ(printed.textsOfSize(9)[0].x(), 650);
    }
}

}  // namespace
