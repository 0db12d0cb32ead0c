// The grid's grade marks on screen: an unlearned kanji underlined (solid), an answer that shows
// in another row underlined (dashed), the tooltips, and the same words for a screen reader.
#include <QAccessible>

#include "editing_window.h"

class GradeMarksWidgetTest : public QObject {
    Q_OBJECT

    static void typeCell(EditingWindow& w, int r, int c, const QString& text) {
        w.click(w.cell(r, c));
        w.entry()->selectAll();
        EditingWindow::type(w.entry(), text);
    }
    static QString description(QWidget* widget) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget);
        return a ? a->text(QAccessible::Description) : QString();
    }
    // Pixels of the mark's colour along the bottom of a label.
    static int markPixels(QWidget* label, QRgb color) {
        const QImage img = label->grab().toImage();
        int n = 0;
        for (int y = img.height() / 2; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += (img.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF) ? 1 : 0;
        return n;
    }

private slots:
    void marksFollowTypingAndReachAScreenReader() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QVERIFY(w.startWorkbook());
        typeCell(w, 1, kColKanji, QStringLiteral("雪"));
        typeCell(w, 1, kColAfter, QStringLiteral("がふった。"));
        typeCell(w, 2, kColBefore, QStringLiteral("妹が"));
        typeCell(w, 2, kColKanji, QStringLiteral("大声"));
        typeCell(w, 2, kColAfter, QStringLiteral("で泣いた。"));
        typeCell(w, 3, kColBefore, QStringLiteral("雪だるまを"));
        typeCell(w, 3, kColKanji, QStringLiteral("作"));

        ClickLabel* cry = w.cell(2, kColAfter);
        QCOMPARE(cry->text(), QStringLiteral("で泣いた。"));  // the text itself stays plain
        QCOMPARE(cry->toolTip(), QStringLiteral("未習漢字: 泣（4年）"));
        QCOMPARE(description(cry), QStringLiteral("未習漢字: 泣（4年）"));
        QVERIFY(markPixels(cry, qRgb(0xB0, 0x00, 0x00)) > 5);
        ClickLabel* snow = w.cell(1, kColKanji);
        QCOMPARE(snow->toolTip(), QStringLiteral("答えが3行目の文にも出ています"));
        QCOMPARE(description(snow), QStringLiteral("答えが3行目の文にも出ています"));
        QVERIFY(markPixels(snow, qRgb(0x00, 0x30, 0xC0)) > 2);
        QCOMPARE(w.cell(3, kColBefore)->toolTip(), QStringLiteral("1行目の答え「雪」が出ています"));
        // An unmarked cell has neither.
        QCOMPARE(w.cell(2, kColBefore)->toolTip(), QString());
        QCOMPARE(markPixels(w.cell(2, kColBefore), qRgb(0xB0, 0x00, 0x00)), 0);
        w.view.grab().save(QDir::temp().filePath(QStringLiteral("jirakubo-grade-marks.png")));

        // 学年 4年 from the menu: 泣 is learned, its mark and words go.
        QVERIFY(w.chooseMenu(QStringLiteral("gk4")));
        QTRY_COMPARE(cry->toolTip(), QString());
        QCOMPARE(description(cry), QString());
        QCOMPARE(markPixels(cry, qRgb(0xB0, 0x00, 0x00)), 0);
        QCOMPARE(snow->toolTip(), QStringLiteral("答えが3行目の文にも出ています"));
    }
};

QTEST_MAIN(GradeMarksWidgetTest)
#include "grade_marks_widget_test.moc"
