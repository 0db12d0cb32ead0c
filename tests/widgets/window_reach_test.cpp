// What a teacher reaches from the keyboard and sees on the screen: every secondary window
// closes with Escape and with a 閉じる button, a number typed in full-width digits (as Mozc
// gives them) is taken, and a value the box cannot take is said.
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include "editing_window.h"
#include "platform/font_chooser.h"
#include "platform/number_box.h"
#include "platform/windows/window_view.h"

namespace {

WindowView* shownView(const QSet<QWidget*>& before) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* v = qobject_cast<WindowView*>(w); v && v->isVisible() && !before.contains(w)) return v;
    return nullptr;
}

QSet<QWidget*> topLevels() {
    const QWidgetList list = QApplication::topLevelWidgets();
    return QSet<QWidget*>(list.begin(), list.end());
}

// A commit of the input method, as Mozc sends a converted text.
void commit(QWidget* w, const QString& text) {
    QInputMethodEvent e(QString(), {});
    e.setCommitString(text);
    QApplication::sendEvent(w, &e);
}

}  // namespace

class WindowReachTest : public QObject {
    Q_OBJECT

private slots:
    void windowsCloseWithEscapeAndWithTheirCloseButton_data() {
        QTest::addColumn<int>("id");
        QTest::newRow("原稿用紙") << static_cast<int>(WindowId::ManuscriptPaper);
        QTest::newRow("罫線用紙印刷") << static_cast<int>(WindowId::RuledPaper);
        QTest::newRow("かな印字位置調整") << static_cast<int>(WindowId::KanaPosition);
        QTest::newRow("パスワード") << static_cast<int>(WindowId::Password);
        QTest::newRow("データ作成の説明") << static_cast<int>(WindowId::DataCreationHelp);
    }
    void windowsCloseWithEscapeAndWithTheirCloseButton() {
        QFETCH(int, id);
        const auto window = static_cast<WindowId>(id);
        EditingWindow w;
        for (const bool byEscape : {true, false}) {
            const QSet<QWidget*> before = topLevels();
            w.model.openWindow(window);
            QPointer<WindowView> v = shownView(before);
            QVERIFY(v);
            QVERIFY(QTest::qWaitForWindowExposed(v.data()));
            if (byEscape) {
                v->activateWindow();
                QWidget* focus = v->focusWidget() ? v->focusWidget() : v.data();
                QTest::keyClick(focus, Qt::Key_Escape);
            } else {
                QPushButton* close = nullptr;
                for (QPushButton* b : v->findChildren<QPushButton*>())
                    if (b->text() == QStringLiteral("閉じる") && b->isVisible()) close = b;
                QVERIFY(close);
                QVERIFY(close->isVisible());
                QVERIFY(close->focusPolicy() & Qt::TabFocus);
                QTest::mouseClick(close, Qt::LeftButton);
            }
            QVERIFY2(!w.model.isWindowOpen(window), byEscape ? "Escape" : "閉じる");
            QTRY_VERIFY(v.isNull());
        }
    }

    // The size of the font dialog takes ３０ typed or committed by the input method; a size out
    // of its range is said below the box, and OK keeps the dialog open until it is mended.
    void theFontDialogTakesFullWidthDigitsAndSaysWhyASizeIsRefused() {
        QString message;
        bool stayedOpen = false;
        QTimer::singleShot(0, [&] {
            QWidget* dlg = QApplication::activeModalWidget();
            QVERIFY(dlg);
            auto* size = dlg->findChild<NumberBox*>(QStringLiteral("size"));
            auto* said = dlg->findChild<QLabel*>(QStringLiteral("sizeMessage"));
            QVERIFY(size && said);
            QLineEdit* edit = size->findChild<QLineEdit*>();
            edit->selectAll();
            commit(edit, QStringLiteral("２００"));
            message = said->text();
            auto* ok = dlg->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            QTest::mouseClick(ok, Qt::LeftButton);
            stayedOpen = dlg->isVisible();
            edit->selectAll();
            commit(edit, QStringLiteral("３０"));
            QVERIFY(said->text().isEmpty());
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        const std::optional<FontChoice> chosen =
            chooseFont(FontChoice{QStringLiteral("ＭＳ Ｐ明朝"), 25, false, false}, nullptr);
        QCOMPARE(message, QStringLiteral("6～96の数を入力してください"));
        QVERIFY(stayedOpen);
        QVERIFY(chosen);
        QCOMPARE(chosen->size, 30.0);
    }

    // The window on the screens teachers have (a screen of that size for the program, less a
    // title bar and a desktop panel; QT_SCALE_FACTOR as a high-resolution desktop sets it):
    // from 1366x768 up, every menu of the bar and every control of the open lookup panel is in
    // sight without scrolling, and the toolbar shows its buttons; on smaller screens nothing of
    // the panel is out of reach sideways. Each screen is a program of its own (the screen is
    // fixed as the program starts).
    void menusAndThePanelFitTheScreen_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QString>("scale");
        QTest::addColumn<bool>("wholePanelInSight");
        QTest::newRow("1366x768") << QSize(1366, 768) << QString() << true;
        QTest::newRow("1600x1200") << QSize(1600, 1200) << QString() << true;
        QTest::newRow("1920x1080") << QSize(1920, 1080) << QString() << true;
        QTest::newRow("1920x1080 at 1.5") << QSize(1920, 1080) << QStringLiteral("1.5") << true;
        QTest::newRow("1920x1080 at 2") << QSize(1920, 1080) << QStringLiteral("2") << false;
        QTest::newRow("1024x768") << QSize(1024, 768) << QString() << false;
    }
    void menusAndThePanelFitTheScreen() {
        QFETCH(QSize, screen);
        QFETCH(QString, scale);
        QFETCH(bool, wholePanelInSight);
        QTemporaryDir dir;
        const QString config = dir.filePath(QStringLiteral("screen.json"));
        QFile f(config);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(
            QStringLiteral(R"({"screens":[{"name":"s","x":0,"y":0,"width":%1,"height":%2,"logicalDpi":96}]})")
                .arg(screen.width())
                .arg(screen.height())
                .toUtf8());
        f.close();
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + config);
        if (!scale.isEmpty()) env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
        env.insert(QStringLiteral("HOME"), dir.path());
        child.setProcessEnvironment(env);
        child.setWorkingDirectory(dir.path());
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--fit-child"), wholePanelInSight ? QStringLiteral("whole") : QString()});
        QVERIFY(child.waitForFinished(60000));
        const QString said = QString::fromUtf8(child.readAllStandardError());
        QVERIFY2(child.exitCode() == 0, qPrintable(said));
        QVERIFY2(said.contains(QStringLiteral("fits")), qPrintable(said));
    }

    void numberBoxTakesEveryDigitForm_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("refused");
        QTest::newRow("full width") << QStringLiteral("３０") << 30 << false;
        QTest::newRow("plain") << QStringLiteral("30") << 30 << false;
        QTest::newRow("mixed") << QStringLiteral("1２") << 12 << false;
        QTest::newRow("too large") << QStringLiteral("９９９") << 0 << true;
        QTest::newRow("too small") << QStringLiteral("５") << 0 << true;
    }
    void numberBoxTakesEveryDigitForm() {
        QFETCH(QString, typed);
        QFETCH(int, value);
        QFETCH(bool, refused);
        NumberBox box;
        box.setRange(6, 96);
        box.setValue(25);
        QString said;
        connect(&box, &NumberBox::refused, &box, [&](const QString& m) { said = m; });
        box.show();
        QLineEdit* edit = box.findChild<QLineEdit*>();
        edit->selectAll();
        for (QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(said.isEmpty(), !refused);
        QCOMPARE(box.hasAcceptableInput(), !refused);
        if (refused) return;
        box.interpretText();
        QCOMPARE(box.value(), value);
    }
};

// The child of menusAndThePanelFitTheScreen: the window on the screen it was given, the
// lookup panel open with a grade; says what does not fit on standard error, exit status 1.
int fitChild(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool whole = argc > 2 && qstrcmp(argv[2], "whole") == 0;
    QStringList faults;
    {
        EditingWindow w;
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        w.view.resize(screen.width(), screen.height() - 60);
        w.model.onMenu(QStringLiteral("np"));
        w.model.onToolbarClick(12);  // the lookup panel
        w.model.handle([&] { w.model.lookupPanel.onGradeClick(1); });
        if (!QTest::qWaitForWindowExposed(&w.view)) faults << QStringLiteral("not shown");
        QApplication::processEvents();
        QTest::qWait(50);
        const QString size = QStringLiteral("window %1x%2 on %3x%4")
                                 .arg(w.view.width())
                                 .arg(w.view.height())
                                 .arg(screen.width())
                                 .arg(screen.height());
        if (w.view.width() > screen.width()) faults << QStringLiteral("wider than the screen: ") + size;

        QMenuBar* bar = w.view.menuBar();
        for (QAction* menu : bar->actions()) {
            const QRect place = bar->actionGeometry(menu);
            if (place.isEmpty() || !bar->rect().contains(place))
                faults << QStringLiteral("menu out of sight: ") + menu->text();
        }
        auto* tools = w.view.findChild<QToolBar*>(QStringLiteral("Toolbar1"));
        for (int i : {12, 23, 24, 25, 27}) {
            QWidget* button = tools->widgetForAction(w.view.toolbarAction(i));
            if (!button || !button->isVisible() || !tools->rect().contains(button->geometry()))
                faults << QStringLiteral("toolbar button %1 out of sight").arg(i);
        }
        auto* scroll = w.view.findChild<QScrollArea*>(QStringLiteral("form1_scroll"));
        QWidget* viewport = scroll->viewport();
        if (scroll->horizontalScrollBar()->maximum() != 0) faults << QStringLiteral("scrolls sideways");
        auto* panel = w.view.findChild<QWidget*>(QStringLiteral("Frame1_panel"));
        int controls = 0;
        for (QWidget* c : panel->findChildren<QWidget*>()) {
            if (!c->isVisible()) continue;
            if (!qobject_cast<QAbstractButton*>(c) && !qobject_cast<QLineEdit*>(c) &&
                c->focusPolicy() == Qt::NoFocus)
                continue;
            ++controls;
            const QRect place(c->mapTo(viewport, QPoint(0, 0)), c->size());
            const QString what = QStringLiteral("%1 at %2,%3 in %4x%5")
                                     .arg(c->accessibleName())
                                     .arg(place.x())
                                     .arg(place.y())
                                     .arg(viewport->width())
                                     .arg(viewport->height());
            if (place.left() < 0 || place.right() >= viewport->width())
                faults << QStringLiteral("sideways: ") + what;
            if (whole && !viewport->rect().contains(place)) faults << QStringLiteral("out of sight: ") + what;
        }
        // The grade buttons, grade 1's eighty kanji, the search, 消去 ...
        if (controls < 90) faults << QStringLiteral("only %1 controls").arg(controls);
        fprintf(stderr, "%s\n", qPrintable(size));
    }
    for (const QString& f : faults) fprintf(stderr, "%s\n", qPrintable(f));
    if (faults.isEmpty()) fprintf(stderr, "fits\n");
    return faults.isEmpty() ? 0 : 1;
}

int main(int argc, char** argv) {
    if (argc > 1 && qstrcmp(argv[1], "--fit-child") == 0) return fitChild(argc, argv);
    QApplication app(argc, argv);
    WindowReachTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "window_reach_test.moc"
