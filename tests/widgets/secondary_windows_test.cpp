// Secondary windows opened from the real main window, driven with real clicks, offscreen:
// the textbook company window and the tracing colour window.
#include "editing_window.h"
#include "windows/window_view.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class SecondaryWindowsTest : public QObject {
    Q_OBJECT

private:
    // The top-level view announced by `title`, if it is shown.
    static WindowView* shownWindow(const QString& title) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* v = qobject_cast<WindowView*>(w); v && v->isVisible() && v->accessibleName() == title)
                return v;
        return nullptr;
    }
    static QPushButton* button(QWidget* window, const QString& name) {
        for (auto* b : window->findChildren<QPushButton*>())
            if (b->accessibleName() == name || b->text() == name) return b;
        return nullptr;
    }
    static const QString& companyTitle() {
        static const QString t = QStringLiteral("教科書会社の選択");
        return t;
    }
    // Toolbar button 25 belongs to the lookup panel and is shown with it.
    static QWidget* openCompanyWindow(EditingWindow& w) {
        w.model.toolbar[25].visible = true;
        w.model.toolbar[25].enabled = true;
        w.view.refresh();
        w.clickToolbar(25);
        return shownWindow(companyTitle());
    }

private slots:
    void theMainWindowIsAnnouncedByItsTitle() {
        EditingWindow w;
        QCOMPARE(w.view.accessibleName(), QStringLiteral("2011字楽坊"));
        QCOMPARE(w.view.windowTitle(), QStringLiteral("2011字楽坊"));
    }

    void companyWindowCaptionsAndAccessibleNames() {
        EditingWindow w;
        QWidget* dlg = openCompanyWindow(w);
        QVERIFY(dlg);
        QCOMPARE(dlg->windowTitle(), companyTitle());
        QVERIFY(!dlg->isModal());
        auto* label = dlg->findChild<QLabel*>(QStringLiteral("Label1"));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("教科書の選択"));
        QCOMPARE(label->accessibleDescription(), QStringLiteral("教科書の選択"));
        QStringList names;
        for (auto* b : dlg->findChildren<QPushButton*>()) {
            QCOMPARE(b->accessibleName(), b->text());
            names << b->text();
        }
        QCOMPARE(names, QStringList({QStringLiteral("東京書籍"), QStringLiteral("三省堂"), QStringLiteral("教育出版"),
                                     QStringLiteral("学校図書"), QStringLiteral("光村図書"),
                                     QStringLiteral("指定しないで閉じる")}));
    }

    void companyButtonSetsPanel5AndCloses_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("panel5");
        const QString none = QStringLiteral("教科書指定なし");
        for (const char* c : {"東京書籍", "三省堂", "教育出版", "学校図書", "光村図書"})
            QTest::newRow(c) << QString::fromUtf8(c) << none << QString::fromUtf8(c);
        QTest::newRow("指定しないで閉じる") << QStringLiteral("指定しないで閉じる") << QStringLiteral("学校図書") << none;
    }
    void companyButtonSetsPanel5AndCloses() {
        QFETCH(QString, button);
        QFETCH(QString, before);
        QFETCH(QString, panel5);
        EditingWindow w;
        w.model.panels[5] = before;
        QPointer<QWidget> dlg = openCompanyWindow(w);
        QVERIFY(dlg);
        QPushButton* b = SecondaryWindowsTest::button(dlg, button);
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(w.model.panels[5], panel5);
        QCOMPARE(w.view.statusPanel(5)->text(), panel5);
        QVERIFY(!w.model.isWindowOpen(WindowId::Company));
        QTRY_VERIFY(dlg.isNull());  // deletes itself once closed
        QVERIFY(w.platform.messages.empty());  // no dictionary load, no notice
    }

    void companyCloseBoxAndEscCloseWithoutAChoice_data() {
        QTest::addColumn<bool>("byEsc");
        QTest::newRow("close box") << false;
        QTest::newRow("Esc") << true;
    }
    void companyCloseBoxAndEscCloseWithoutAChoice() {
        QFETCH(bool, byEsc);
        EditingWindow w;
        w.model.panels[5] = QStringLiteral("光村図書");
        QPointer<QWidget> dlg = openCompanyWindow(w);
        QVERIFY(dlg);
        if (byEsc)
            QTest::keyClick(dlg.data(), Qt::Key_Escape);
        else
            dlg->close();
        QCOMPARE(w.model.panels[5], QStringLiteral("光村図書"));
        QVERIFY(!w.model.isWindowOpen(WindowId::Company));
        QTRY_VERIFY(dlg.isNull());
        // It opens again.
        QVERIFY(openCompanyWindow(w));
    }

    void tracingWindowOpensWithTheShadeInUseAndTurnsTracingOn() {
        EditingWindow w;
        QVERIFY(w.startWorkbook());
        w.model.tracingColor = 8421504;  // "やや濃い"
        QVERIFY(w.chooseMenu(QStringLiteral("rnzky")));
        QPointer<QWidget> dlg = shownWindow(QStringLiteral("色設定"));
        QVERIFY(dlg);
        QStringList checked;
        for (auto* o : dlg->findChildren<QRadioButton*>())
            if (o->isChecked()) checked << o->text();
        QCOMPARE(checked, QStringList{QStringLiteral("やや濃い")});
        QRadioButton* light = nullptr;
        for (auto* o : dlg->findChildren<QRadioButton*>())
            if (o->text() == u"淡い") light = o;
        QVERIFY(light);
        QTest::mouseClick(light, Qt::LeftButton);
        QTest::mouseClick(button(dlg, QStringLiteral("決定")), Qt::LeftButton);
        QCOMPARE(w.model.tracingColor, 14737632);
        QCOMPARE(w.model.label18.caption, QStringLiteral("漢字なぞり書きあり"));
        QVERIFY(w.model.checked(QStringLiteral("rnzky")));
        QTRY_VERIFY(dlg.isNull());
    }

    void tracingWindowCloseBoxTurnsTracingOff() {
        EditingWindow w;
        QVERIFY(w.startWorkbook());
        QVERIFY(w.chooseMenu(QStringLiteral("rnzky")));
        QPointer<QWidget> dlg = shownWindow(QStringLiteral("色設定"));
        QVERIFY(dlg);
        dlg->close();
        QVERIFY(w.model.checked(QStringLiteral("rnzkn")));
        QVERIFY(!w.model.checked(QStringLiteral("rnzky")));
        QVERIFY(w.model.label18.caption.isEmpty());
        QVERIFY(!w.model.isWindowOpen(WindowId::TracingColor));
    }
};

QTEST_MAIN(SecondaryWindowsTest)
#include "secondary_windows_test.moc"
