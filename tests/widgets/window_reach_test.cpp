// What a teacher reaches from the keyboard and sees on the screen: every secondary window
// closes with Escape and with a 閉じる button, a number typed in full-width digits (as Mozc
// gives them) is taken, and a value the box cannot take is said.
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
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
                auto* close = v->findChild<QPushButton*>(QStringLiteral("closeButton"));
                QVERIFY(close);
                QCOMPARE(close->text(), QStringLiteral("閉じる"));
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

QTEST_MAIN(WindowReachTest)
#include "window_reach_test.moc"
