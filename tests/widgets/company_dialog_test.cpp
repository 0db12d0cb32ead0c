// The textbook company dialog driven with real clicks, offscreen.
#include "company_dialog.h"

#include "../core/fake_platform.h"
#include "mainwindow/main_window.h"

#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class CompanyDialogTest : public QObject {
    Q_OBJECT

private:
    struct Setup {
        QTemporaryDir dir;
        FakePlatform platform;
        Workbook workbook;
        MainWindow model{platform, workbook};
        QPointer<QDialog> dialog;

        Setup() {
            platform.programDir = dir.path();
            platform.cwd = dir.path();
            model.startUp();
            model.openCompanyWindow();
            dialog = createCompanyDialog(model, nullptr);
            dialog->show();
        }
        ~Setup() { delete dialog.data(); }
        QPushButton* button(const QString& name) const {
            for (auto* b : dialog->findChildren<QPushButton*>())
                if (b->accessibleName() == name) return b;
            return nullptr;
        }
    };

    static const QString& windowName() {
        static const QString n = QStringLiteral("教科書会社の選択");
        return n;
    }

private slots:
    void captionsAndAccessibleNames() {
        Setup s;
        QCOMPARE(s.dialog->windowTitle(), QStringLiteral("教科書会社の選択"));
        QVERIFY(!s.dialog->isModal());
        auto* label = s.dialog->findChild<QLabel*>(QStringLiteral("Label1"));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("教科書の選択"));
        QCOMPARE(label->accessibleName(), QStringLiteral("教科書の選択"));
        QStringList names;
        for (auto* b : s.dialog->findChildren<QPushButton*>()) {
            QCOMPARE(b->accessibleName(), b->text());
            names << b->text();
        }
        QCOMPARE(names, QStringList({QStringLiteral("東京書籍"), QStringLiteral("三省堂"),
                                     QStringLiteral("教育出版"), QStringLiteral("学校図書"),
                                     QStringLiteral("光村図書"), QStringLiteral("指定しないで閉じる")}));
    }

    void buttonSetsPanel5AndCloses_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("panel5");
        const QString none = QStringLiteral("教科書指定なし");
        for (const char* c : {"東京書籍", "三省堂", "教育出版", "学校図書", "光村図書"})
            QTest::newRow(c) << QString::fromUtf8(c) << none << QString::fromUtf8(c);
        QTest::newRow("指定しないで閉じる")
            << QStringLiteral("指定しないで閉じる") << QStringLiteral("学校図書") << none;
    }
    void buttonSetsPanel5AndCloses() {
        QFETCH(QString, button);
        QFETCH(QString, before);
        QFETCH(QString, panel5);
        Setup s;
        s.model.panels[5] = before;
        QPushButton* b = s.button(button);
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(s.model.panels[5], panel5);
        QVERIFY(!s.model.openWindows.contains(windowName()));
        QVERIFY(s.dialog.isNull() || !s.dialog->isVisible());
        QTRY_VERIFY(s.dialog.isNull());  // deletes itself once closed
        QVERIFY(s.platform.messages.empty());  // no dictionary load
    }

    void closeBoxAndEscCloseWithoutAChoice_data() {
        QTest::addColumn<bool>("byEsc");
        QTest::newRow("close box") << false;
        QTest::newRow("Esc") << true;
    }
    void closeBoxAndEscCloseWithoutAChoice() {
        QFETCH(bool, byEsc);
        Setup s;
        s.model.panels[5] = QStringLiteral("光村図書");
        if (byEsc)
            QTest::keyClick(s.dialog.data(), Qt::Key_Escape);
        else
            s.dialog->close();
        QCOMPARE(s.model.panels[5], QStringLiteral("光村図書"));
        QVERIFY(!s.model.openWindows.contains(windowName()));
        QVERIFY(!s.model.companyWindow.visible);
        QTRY_VERIFY(s.dialog.isNull());
    }
};

QTEST_MAIN(CompanyDialogTest)
#include "company_dialog_test.moc"
