// Secondary windows opened from the real main window, driven with real clicks, offscreen:
// the textbook company window and the tracing colour window.
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "accessible_text.h"
#include "core/windows/password/password_window.h"
#include "editing_window.h"
#include "platform/windows/lookup_panel_view.h"
#include "platform/windows/window_view.h"

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
        QCOMPARE(spokenName(label), QStringLiteral("教科書の選択"));
        QStringList names;
        for (auto* b : dlg->findChildren<QPushButton*>()) {
            QCOMPARE(spokenName(b), b->text());
            names << b->text();
        }
        QCOMPARE(names, QStringList({QStringLiteral("東京書籍"), QStringLiteral("三省堂"),
                                     QStringLiteral("教育出版"), QStringLiteral("学校図書"),
                                     QStringLiteral("光村図書"), QStringLiteral("指定しないで閉じる")}));
    }

    void companyButtonSetsPanel5AndCloses_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("panel5");
        const QString none = QStringLiteral("教科書指定なし");
        for (const char* c : {"東京書籍", "三省堂", "教育出版", "学校図書", "光村図書"})
            QTest::newRow(c) << QString::fromUtf8(c) << none << QString::fromUtf8(c);
        QTest::newRow("指定しないで閉じる")
            << QStringLiteral("指定しないで閉じる") << QStringLiteral("学校図書") << none;
    }
    void companyButtonSetsPanel5AndCloses() {
        QFETCH(QString, button);
        QFETCH(QString, before);
        QFETCH(QString, panel5);
        EditingWindow w;
        w.model.company = before;
        QPointer<QWidget> dlg = openCompanyWindow(w);
        QVERIFY(dlg);
        QPushButton* b = SecondaryWindowsTest::button(dlg, button);
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(w.model.company, panel5);
        QCOMPARE(w.view.statusPanel(5)->text(), panel5);
        QVERIFY(!w.model.isWindowOpen(WindowId::Company));
        QTRY_VERIFY(dlg.isNull());             // deletes itself once closed
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
        w.model.company = QStringLiteral("光村図書");
        QPointer<QWidget> dlg = openCompanyWindow(w);
        QVERIFY(dlg);
        if (byEsc)
            QTest::keyClick(dlg.data(), Qt::Key_Escape);
        else
            dlg->close();
        QCOMPARE(w.model.company, QStringLiteral("光村図書"));
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

    // Every window opens from its command in the real window, as a window of its own that is
    // announced by its title, and closes with its close box.
    void everyWindowOpensFromItsCommand_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("button");
        QTest::addColumn<QStringList>("titles");
        const auto row = [](const char* name, const char* menu, int button, QStringList titles) {
            QTest::newRow(name) << QString::fromUtf8(menu) << button << titles;
        };
        row("原稿用紙作成", "gen", 0, {QStringLiteral("原稿用紙-クリックで印刷")});
        row("横罫線用紙作成", "yokokei", 0, {QStringLiteral("罫線用紙印刷")});
        row("toolbar 13", "", 13,
            {QStringLiteral("原稿用紙-クリックで印刷"), QStringLiteral("罫線用紙印刷")});
        row("かな印字位置調整", "adj", 0, {QStringLiteral("かな印字位置調整")});
        row("ファイル結合", "fc", 0, {QStringLiteral("パスワード")});
        row("ファイル変更", "fch", 0, {QStringLiteral("パスワード")});
        row("ボタンの説明", "hpo", 0, {QStringLiteral("ボタンの説明")});
        row("toolbar 19", "", 19, {QStringLiteral("ボタンの説明")});
        row("データ作成の説明", "hwt", 0, {QStringLiteral("データ作成の説明")});
    }
    void everyWindowOpensFromItsCommand() {
        QFETCH(QString, menu);
        QFETCH(int, button);
        QFETCH(QStringList, titles);
        EditingWindow w;
        QVERIFY(w.startWorkbook());  // "印刷オプション" needs a workbook
        if (menu.isEmpty())
            w.clickToolbar(button);
        else
            QVERIFY(w.chooseMenu(menu));
        QList<QPointer<WindowView>> views;
        for (const QString& title : titles) {
            QPointer<WindowView> v = shownWindow(title);
            QVERIFY2(v, qPrintable(title));
            QVERIFY(v->isWindow());
            QCOMPARE(v->windowTitle(), title);
            views << v;
        }
        // The two paper windows close each other.
        views.first()->close();
        for (const auto& v : views) QTRY_VERIFY(v.isNull());
        for (const WindowModel* window : w.model.secondaryWindows) QVERIFY(!window->isOpen());
        QVERIFY(w.platform.messages.empty());
    }

    // The password prompt leads to the data edit tool, which shows the file on screen.
    void passwordLeadsToTheDataEditTool() {
        EditingWindow w;
        QVERIFY(w.chooseMenu(QStringLiteral("fch")));
        QPointer<WindowView> prompt = shownWindow(QStringLiteral("パスワード"));
        QVERIFY(prompt);
        w.model.passwordWindow.onText1Changed(PasswordWindow::kPassword);
        w.model.passwordWindow.onCommand1();
        w.view.refresh();
        QVERIFY(w.model.isWindowOpen(WindowId::DataEdit));
        QVERIFY(shownWindow(QStringLiteral("データ修正ツール")));
        QTRY_VERIFY(prompt.isNull());
    }

    // The lookup panel stands beside the grid (below it on a screen too narrow, as the test's
    // 800-pixel one is), never over it: a grade click fills its cells, a cell click puts the
    // kanji and its reading into the grid.
    void lookupPanelFromToolbar12() {
        EditingWindow w;
        QVERIFY(w.startWorkbook());
        w.clickToolbar(12);
        LookupPanelView* panel = w.view.lookupPanel();
        QVERIFY(panel->isVisible());
        QVERIFY(panel->geometry().left() > w.cell(1, kColAfter)->geometry().right() ||
                panel->geometry().top() > w.cell(10, kColAfter)->geometry().bottom());
        QTest::mouseClick(panel->gradeButton(1), Qt::LeftButton);
        QVERIFY(!panel->cell(1)->text().isEmpty());
        const QString kanji = panel->cell(1)->text();
        QTest::mouseClick(panel->cell(1), Qt::LeftButton);
        QCOMPARE(w.cell(1, kColKanji)->text(), kanji);
        QVERIFY(!w.cell(1, kColReading)->text().isEmpty());
        // The panel's toolbar buttons show with it.
        QVERIFY(w.view.toolbarAction(23)->isVisible());
        QVERIFY(w.view.toolbarAction(24)->isVisible());
        w.clickToolbar(12);
        QVERIFY(!panel->isVisible());
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
