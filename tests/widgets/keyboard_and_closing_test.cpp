// The whole flow of a page works from the keyboard: shortcuts, access keys, the hard-type
// arrows from anywhere (the heading box too); the ▲ marks follow a long entry; the close
// box asks about unsaved work as "終了" does.
#include <QCloseEvent>
#include <QtTest>

#include "editing_window.h"

class KeyboardAndClosingTest : public QObject {
    Q_OBJECT

private slots:
    void shortcutsRunTheirCommands() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QTest::keyClick(&w.view, Qt::Key_N, Qt::ControlModifier);  // 新規作成
        QCOMPARE(w.model.combo1.backColor, kColorYellow);
        w.click(w.view.registerButton());
        w.type(QStringLiteral("山"));
        QTest::keyClick(&w.view, Qt::Key_S, Qt::ControlModifier);  // 保存: the dialog is cancelled
        QCOMPARE(w.platform.savePaths.size(), 0u);
        w.platform.answers = {MessageAnswer::Cancelled};
        QTest::keyClick(&w.view, Qt::Key_O, Qt::ControlModifier);  // 呼出 asks about the unsaved page
        QCOMPARE(w.platform.messages.back().buttons, MessageButtons::YesNoCancel);
        QCOMPARE(w.model.workbook().headingList.size(), 1);
        w.platform.answers = {MessageAnswer::No};
        QTest::keyClick(&w.view, Qt::Key_Q, Qt::ControlModifier);  // 終了, answered No
        QVERIFY(!w.model.isClosed());
        QVERIFY(w.view.isVisible());
    }

    void menuTitlesCarryAccessKeys() {
        EditingWindow w;
        QStringList titles;
        for (QAction* a : w.view.menuBar()->actions()) titles << a->text();
        QCOMPARE(titles.first(), QStringLiteral("ファイル(&F)"));
        QVERIFY(titles.contains(QStringLiteral("ヘルプ(&H)")));
        // The items inside the menus too, submenus included.
        QCOMPARE(w.view.menuAction(QStringLiteral("of"))->text(), QStringLiteral("呼出(&O)"));
        QCOMPARE(w.view.menuAction(QStringLiteral("kt"))->text(), QStringLiteral("書き方（書き取り枠）(&K)"));
        QCOMPARE(w.view.menuAction(QStringLiteral("kta"))->text(),
                 QStringLiteral("あり（ふりがなと枠）(&A)"));
        QCOMPARE(w.view.menuAction(QStringLiteral("lon14"))->text(), QStringLiteral("１５字(&5)"));
    }

    // Alt and the letters walk to an item and run it, as a mouse would: Alt+F, then N.
    void accessLettersRunMenuItems() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QTest::keyClick(&w.view, Qt::Key_F, Qt::AltModifier);
        QMenu* file = w.view.menuAction(QStringLiteral("fa"))->menu();
        QVERIFY(QTest::qWaitFor([file] { return file->isVisible(); }));
        QTest::keyClick(file, Qt::Key_N);  // 新規作成
        QVERIFY(QTest::qWaitFor([&w] { return w.model.combo1.backColor == kColorYellow; }));
        QVERIFY(w.model.memoryList.list1Enabled == false);
        QCOMPARE(w.model.grid.at(1).number, QStringLiteral("1"));
    }

    void hardTypeArrowsMoveTheCursorFromTheHeadingBox() {
        EditingWindow w;
        QVERIFY(w.startWorkbook());
        QVERIFY(w.chooseMenu(QStringLiteral("hck")));
        w.model.selectCell(3, kColKanji);
        w.view.refresh();
        QComboBox* box = w.view.headingBox();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(w.model.grid.row, 4);
        QTest::keyClick(box, Qt::Key_Up);
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(w.model.grid.row, 2);
        QCOMPARE(w.model.workbook().currentPage, 0);  // no page switch
    }

    void markersFollowTheFifthAndTenthCharacters() {
        EditingWindow w;
        QVERIFY(w.startWorkbook());
        auto* five = w.widget<QLabel>(QStringLiteral("Label16"));
        auto* ten = w.widget<QLabel>(QStringLiteral("Label15"));
        w.type(QStringLiteral("あいう"));
        QVERIFY(!five->isVisible() && !ten->isVisible());
        w.type(QStringLiteral("えおかきくけこ"));
        QVERIFY(five->isVisible() && ten->isVisible());
        const QFontMetrics fm(w.entry()->font());
        // The fifth mark stands under the fifth character, left of the tenth.
        QVERIFY(five->x() < ten->x());
        QVERIFY(qAbs((ten->x() - five->x()) - fm.horizontalAdvance(QStringLiteral("かきくけこ"))) <= 2);
        // A long text scrolls: the first characters leave the box and their mark hides.
        w.type(QString(40, QChar(u'ん')));
        w.entry()->repaint();  // the box scrolls its text as it paints
        QVERIFY(!five->isVisible());
    }

    void closeBoxAsksAboutUnsavedWork() {
        EditingWindow w;
        QVERIFY(w.startWorkbook());
        w.type(QStringLiteral("山"));
        w.platform.answers = {MessageAnswer::No};
        QVERIFY(!w.view.close());  // answered No: the window stays
        QVERIFY(!w.model.isClosed());
        QCOMPARE(w.platform.messages.back().text, QStringLiteral("保存されていませんが、終了しますか？"));
        w.platform.answers = {MessageAnswer::Yes};
        QVERIFY(w.view.close());
        QVERIFY(w.model.isClosed());
        // The settings were written on the way out.
        QVERIFY(QFileInfo::exists(w.dir.filePath(QStringLiteral("JRB3.ini"))));
    }
};

QTEST_MAIN(KeyboardAndClosingTest)
#include "keyboard_and_closing_test.moc"
