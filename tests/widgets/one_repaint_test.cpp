// Every event, from whichever view it comes, goes through the main window's one door: each
// user action repaints the main window's view, its lookup panel and an open secondary window
// exactly once.
#include <QCheckBox>
#include <QPushButton>
#include <QtTest>
#include <functional>

#include "editing_window.h"
#include "platform/windows/lookup_panel_view.h"
#include "platform/windows/window_view.h"

class OneRepaintTest : public QObject {
    Q_OBJECT

private:
    struct Case {
        const char* name;
        std::function<void(EditingWindow&, WindowView& textFlow)> act;
    };

private slots:
    void eachActionRepaintsEachViewOnce() {
        const Case cases[] = {
            {"a key in the entry box", [](EditingWindow& w, WindowView&) { w.type(QStringLiteral("山")); }},
            {"Enter in the entry box", [](EditingWindow& w, WindowView&) { w.key(Qt::Key_Return); }},
            {"a key in the heading box",
             [](EditingWindow& w, WindowView&) {
                 QTest::keyClick(w.view.headingBox()->lineEdit(), Qt::Key_A);
                 QCOMPARE(w.model.combo1.text.right(1), QStringLiteral("a"));
             }},
            {"a click on a grid cell", [](EditingWindow& w, WindowView&) { w.click(w.cell(3, kColBefore)); }},
            {"a button of a secondary window",
             [](EditingWindow& w, WindowView& textFlow) {
                 w.click(textFlow.findChild<QPushButton*>(QStringLiteral("Command3")));  // テキスト消去
             }},
            {"a box of the lookup panel",
             [](EditingWindow& w, WindowView&) {
                 QCheckBox* compound = w.view.lookupPanel()->compoundBox();
                 QTest::mouseClick(compound, Qt::LeftButton, {}, QPoint(8, compound->height() / 2));
             }},
            {"a toolbar button that opens two windows",
             [](EditingWindow& w, WindowView&) { w.clickToolbar(kManuscriptButton); }},
        };
        for (const Case& c : cases) {
            EditingWindow w;
            QVERIFY(w.startWorkbook());
            w.clickToolbar(kLookupButton);
            QVERIFY(w.view.lookupPanel()->isVisible());
            w.model.handle([&] { w.model.openWindow(WindowId::TextFlow); });
            WindowView* textFlow = w.view.windowView(WindowId::TextFlow);
            QVERIFY(textFlow);
            QVERIFY(QTest::qWaitForWindowExposed(textFlow));
            QApplication::processEvents();

            int main = 0, panel = 0, secondary = 0;
            connect(&w.view, &MainWindowView::refreshed, [&] { ++main; });
            connect(w.view.lookupPanel(), &LookupPanelView::refreshed, [&] { ++panel; });
            connect(textFlow, &WindowView::refreshed, [&] { ++secondary; });
            c.act(w, *textFlow);
            QApplication::processEvents();
            // The main window, the lookup panel, the text flow window: once each.
            const QString name = QString::fromUtf8(c.name);
            QCOMPARE(QStringLiteral("%1: %2 %3 %4").arg(name).arg(main).arg(panel).arg(secondary),
                     name + QStringLiteral(": 1 1 1"));
            QCOMPARE(w.platform.messageTexts(), QStringList());
        }
    }
};

QTEST_MAIN(OneRepaintTest)
#include "one_repaint_test.moc"
