// Japanese everywhere: Qt's own dialogs take Qt's Japanese translation as the program loads
// it at start-up, and what the system refuses (no browser for the web site) is said in
// Japanese.
#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QToolBar>
#include <QtTest>

#include "platform/qt_platform.h"
#include "scripted_answers.h"

namespace {

class MessagePlatform : public QtPlatform, public ScriptedAnswers {
public:
    MessageAnswer messageBox(const QString& text, const QString& title, MessageButtons buttons,
                             MessageIcon icon) override {
        return answer(text, title, buttons, icon);
    }
};

// Stands in for a browser.
class Browser : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

QString cancelText() {
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text();
}

}  // namespace

class JapaneseTextsTest : public QObject {
    Q_OBJECT
private slots:
    void qtDialogsSpeakJapanese() {
        QCOMPARE(cancelText(), QStringLiteral("Cancel"));  // Qt's own English, before
        QVERIFY(installJapaneseTranslations(*qApp));
        QCOMPARE(cancelText(), QStringLiteral("キャンセル"));

        QFileDialog files;
        files.setOption(QFileDialog::DontUseNativeDialog);
        QCOMPARE(files.findChild<QLabel*>(QStringLiteral("fileNameLabel"))->text(),
                 QStringLiteral("ファイル名(&N):"));
        QCOMPARE(files.findChild<QLabel*>(QStringLiteral("fileTypeLabel"))->text(),
                 QStringLiteral("ファイルの種類:"));

        QPrinter printer;
        QPrintDialog print(&printer);
        print.show();  // the printers are listed as it shows
        auto* printers = print.findChild<QComboBox*>(QStringLiteral("printers"));
        QCOMPARE(printers->itemText(printers->count() - 1), QStringLiteral("PDF ファイルに出力"));
        print.hide();

        QPrintPreviewDialog preview(&printer);
        QStringList actions;
        for (QAction* a : preview.findChild<QToolBar*>()->actions())
            if (!a->text().isEmpty()) actions << a->text();
        QVERIFY(actions.contains(QStringLiteral("ページ設定")));
        QVERIFY(actions.contains(QStringLiteral("印刷")));
    }

    // The offscreen platform has no browser: QDesktopServices::openUrl fails.
    void noBrowserIsSaidInJapanese() {
        MessagePlatform platform;
        const QString site = QStringLiteral("https://example.jp/jirakubo/");
        platform.openUrl(site);
        QCOMPARE(platform.messageTexts(),
                 QStringList{QStringLiteral("ホームページを開けませんでした。\n"
                                            "Webブラウザーが見つからないか、起動できませんでした。\n"
                                            "ブラウザーで次のアドレスを開いてください。\n") +
                             site});
        QCOMPARE(platform.messages[0].title, QStringLiteral("確認メッセージ"));
        QCOMPARE(platform.messages[0].buttons, MessageButtons::Ok);

        // With a browser: no message.
        Browser browser;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
        platform.openUrl(site);
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(browser.opened, QList<QUrl>{QUrl(site)});
        QCOMPARE(platform.messages.size(), size_t(1));
    }
};

QTEST_MAIN(JapaneseTextsTest)
#include "japanese_texts_test.moc"
