// The window テスト作成 opened from the ツール menu of the real main window, offscreen: a
// grade-3 test made with the keyboard and a click, its problems marked with Space and X in
// the list a screen reader reads, the marks written to an SQLite file of the test's own,
// Esc closing the window.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "accessible_text.h"
#include "editing_window.h"
#include "platform/windows/window_view.h"
#include "results/sql_results_store.h"

class TestBuilderWidgetTest : public QObject {
    Q_OBJECT

private:
    static WindowView* shownWindow(const QString& title) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* v = qobject_cast<WindowView*>(w); v && v->isVisible() && v->accessibleName() == title)
                return v;
        return nullptr;
    }

private slots:
    void makeMarkAndRecordATest() {
        EditingWindow w;
        const QString dbPath = w.dir.filePath(QStringLiteral("results.sqlite"));
        w.model.testBuilderWindow.openResults = [dbPath](QString* message) -> std::unique_ptr<ResultsStore> {
            DatabaseLocation location;
            location.path = dbPath;
            return SqlResultsStore::open(location, {}, message);
        };
        w.model.onMenu(QStringLiteral("np"));
        w.model.combo1.text = QStringLiteral("一の巻");
        w.model.registerHeading();
        w.view.refresh();
        QVERIFY(w.chooseMenu(QStringLiteral("tst")));
        WindowView* win = shownWindow(QStringLiteral("テスト作成"));
        QVERIFY(win);
        QCOMPARE(win->windowTitle(), QStringLiteral("テスト作成"));

        auto* grade = win->findChild<QComboBox*>(QStringLiteral("Combo1"));
        auto* seed = win->findChild<QLineEdit*>(QStringLiteral("Text4"));
        auto* heading = win->findChild<QLineEdit*>(QStringLiteral("Text3"));
        auto* build = win->findChild<QPushButton*>(QStringLiteral("Command1"));
        auto* marks = win->findChild<QListWidget*>(QStringLiteral("List2"));
        auto* record = win->findChild<QPushButton*>(QStringLiteral("Command7"));
        QVERIFY(grade && seed && heading && build && marks && record);
        QCOMPARE(grade->accessibleName(), QStringLiteral("学年"));
        QCOMPARE(spokenName(seed), QStringLiteral("種"));
        QCOMPARE(spokenName(marks), QStringLiteral("採点: スペースで○×を切り替え、Xで×、Oで○"));

        // Grade 3 with the arrow keys, seed 7 typed.
        grade->setFocus();
        QTest::keyClick(grade, Qt::Key_Down);
        QTest::keyClick(grade, Qt::Key_Down);
        QCOMPARE(grade->currentText(), QStringLiteral("3年"));
        QVERIFY(heading->text().endsWith(QStringLiteral(" 3年")));
        seed->selectAll();
        QTest::keyClicks(seed, QStringLiteral("7"));
        QTest::mouseClick(build, Qt::LeftButton);
        QCOMPARE(w.workbook.headingList.size(), 2);
        QVERIFY(w.workbook.headingList[1].endsWith(QStringLiteral(" 3年")));
        QCOMPARE(w.widget<QComboBox>(QStringLiteral("Combo1"))->currentText(), w.workbook.headingList[1]);

        // The list shows the new page's ten problems; Space turns the second to ×, X the fifth.
        QCOMPARE(marks->count(), 10);
        QVERIFY(marks->item(0)->text().startsWith(QStringLiteral("○ 1行目 ")));
        QVERIFY(marks->item(0)->text().endsWith(QStringLiteral("前回まで: 未出題")));
        marks->setFocus();
        marks->setCurrentRow(0);
        QTest::keyClick(marks, Qt::Key_Down);
        QTest::keyClick(marks, Qt::Key_Space);
        QTest::keyClick(marks, Qt::Key_Down);
        QTest::keyClick(marks, Qt::Key_Down);
        QTest::keyClick(marks, Qt::Key_Down);
        QTest::keyClick(marks, Qt::Key_X);
        QVERIFY(marks->item(1)->text().startsWith(QStringLiteral("× 2行目 ")));
        QVERIFY(marks->item(4)->text().startsWith(QStringLiteral("× 5行目 ")));
        QCOMPARE(marks->item(4)->data(Qt::AccessibleTextRole).toString(), marks->item(4)->text());
        QTest::mouseClick(record, Qt::LeftButton);
        QCOMPARE(win->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("「%1」の10問を記録しました（×2問）").arg(w.workbook.headingList[1]));
        QVERIFY(marks->item(1)->text().endsWith(QStringLiteral("前回まで: ×")));

        {
            DatabaseLocation location;
            location.path = dbPath;
            QString message;
            auto store = SqlResultsStore::open(location, {}, &message);
            QVERIFY2(store, qPrintable(message));
            std::vector<ProblemHistory> h;
            QVERIFY(store->histories(QStringLiteral("クラス"), &h, &message));
            QCOMPARE(h.size(), size_t(10));
            int wrong = 0;
            for (const ProblemHistory& p : h) wrong += !p.answers.at(0).right;
            QCOMPARE(wrong, 2);
        }

        QTest::keyClick(marks, Qt::Key_Escape);
        QVERIFY(!w.model.isWindowOpen(WindowId::TestBuilder));
    }

    void toolbarButtonOpensTheWindow() {
        EditingWindow w;
        w.model.testBuilderWindow.openResults = [](QString* message) -> std::unique_ptr<ResultsStore> {
            *message = QStringLiteral("no database in this test");
            return nullptr;
        };
        QAction* a = w.view.toolbarAction(kTestBuilderButton);
        QVERIFY(a);
        QCOMPARE(a->toolTip(), QStringLiteral("テスト作成"));
        a->trigger();
        QVERIFY(shownWindow(QStringLiteral("テスト作成")));
    }
};

QTEST_MAIN(TestBuilderWidgetTest)
#include "test_builder_widget_test.moc"
