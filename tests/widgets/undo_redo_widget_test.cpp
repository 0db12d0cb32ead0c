// 元に戻す and やり直し in the real window: a passage poured onto the wrong page shows at once,
// Ctrl+Z takes it back, Ctrl+Y brings it again, the title's mark telling the truth each time;
// in the entry box Ctrl+Z first undoes the box's own typing.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "editing_window.h"
#include "platform/windows/window_view.h"

class UndoRedoWidgetTest : public QObject {
    Q_OBJECT

private slots:
    void pourUndoRedo() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QVERIFY(w.startWorkbook());
        w.click(w.cell(1, kColKanji));
        w.type(QStringLiteral("空"));
        w.platform.savePaths = {w.dir.filePath(QStringLiteral("w.mojx"))};
        QTest::keyClick(&w.view, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(w.view.windowTitle(), QStringLiteral("w.mojx - 2011字楽坊"));

        w.model.openWindow(WindowId::TextFlow);
        auto* flow = w.view.findChild<WindowView*>(QStringLiteral("Form22"));
        QVERIFY(flow);
        auto* text = flow->findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
        QVERIFY(text);
        text->setPlainText(QStringLiteral("むかしむかしあるところに"));
        w.platform.answers = {MessageAnswer::Yes, MessageAnswer::Yes};
        w.click(flow->findChild<QPushButton*>(QStringLiteral("Command1")));
        // The main window shows the poured rows at once, without a click of its own.
        QCOMPARE(w.cell(1, kColKanji)->text(), QStringLiteral("むかしむかしあるとこ"));
        QCOMPARE(w.cell(2, kColKanji)->text(), QStringLiteral("ろに"));
        QCOMPARE(w.view.windowTitle(), QStringLiteral("w.mojx* - 2011字楽坊"));
        QCOMPARE(w.view.menuAction(QStringLiteral("undo"))->text(),
                 QStringLiteral("元に戻す「流し込み」(&U)"));

        w.view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QTest::keyClick(&w.view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.cell(1, kColKanji)->text(), QStringLiteral("空"));
        QCOMPARE(w.cell(2, kColKanji)->text(), QString());
        QCOMPARE(w.view.windowTitle(), QStringLiteral("w.mojx - 2011字楽坊"));
        QVERIFY(w.view.menuAction(QStringLiteral("redo"))->isEnabled());

        QTest::keyClick(&w.view, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(w.cell(2, kColKanji)->text(), QStringLiteral("ろに"));
        QCOMPARE(w.view.windowTitle(), QStringLiteral("w.mojx* - 2011字楽坊"));
        QTest::keyClick(&w.view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);  // nothing left to redo
        QCOMPARE(w.cell(2, kColKanji)->text(), QStringLiteral("ろに"));
        QVERIFY(!w.view.menuAction(QStringLiteral("redo"))->isEnabled());
    }

    void entryBoxUndoesItsOwnTypingFirst() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QVERIFY(w.startWorkbook());
        w.click(w.cell(1, kColBefore));
        w.type(QStringLiteral("やま"));
        w.click(w.cell(2, kColBefore));
        w.type(QStringLiteral("かわ"));
        QCOMPARE(w.cell(2, kColBefore)->text(), QStringLiteral("かわ"));

        QTest::keyClick(w.entry(), Qt::Key_Z, Qt::ControlModifier);  // the box's own typing
        QCOMPARE(w.entry()->text(), QString());
        QCOMPARE(w.cell(2, kColBefore)->text(), QString());
        QCOMPARE(w.cell(1, kColBefore)->text(), QStringLiteral("やま"));

        QTest::keyClick(w.entry(), Qt::Key_Z, Qt::ControlModifier);  // then the workbook's last step
        QCOMPARE(w.cell(1, kColBefore)->text(), QString());
        QCOMPARE(w.view.menuAction(QStringLiteral("redo"))->text(), QStringLiteral("やり直し「入力」(&R)"));
    }
};

QTEST_MAIN(UndoRedoWidgetTest)
#include "undo_redo_widget_test.moc"
