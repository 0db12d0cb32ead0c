// Saving and opening a workbook through the window, offscreen, with the file dialogs and
// message boxes scripted; the exit question after each way of saving.
#include <QFile>

#include "core/data/problem_files.h"
#include "core/data/text_codec.h"
#include "editing_window.h"

namespace {
// The lines of a problem file, decoded from code page 932; empty when it cannot be read.
QStringList fileLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = f.readAll();
    if (!bytes.endsWith("\r\n")) return {};
    const auto text = textcodec::decodeCp932(bytes.chopped(2));
    if (!text) return {};
    return text->split(QStringLiteral("\r\n"));
}

const QString kExitQuestion = QStringLiteral("保存されていませんが、終了しますか？");
}  // namespace

class EditingFilesTest : public QObject {
    Q_OBJECT

private:
    // Page 1 "れんしゅう": row 1 きょうは|天気(てんき)|です, row 2 with the second word
    // 学校(がっこう)へ; page 2 "つぎ": row 1 ほしが|光る.
    static bool fillTwoPages(EditingWindow& w) {
        if (!w.startWorkbook()) return false;
        w.type(QStringLiteral("きょうは"));
        w.key(Qt::Key_Return);
        w.preedit(QStringLiteral("てんき"));
        w.preedit(QStringLiteral("天気"), true);
        w.commit(QStringLiteral("天気"));
        w.key(Qt::Key_Return);
        w.type(QStringLiteral("です"));
        w.click(w.view.check3(2));
        w.preedit(QStringLiteral("がっこう"));
        w.preedit(QStringLiteral("学校"), true);
        w.commit(QStringLiteral("学校"));
        w.key(Qt::Key_Return);
        w.type(QStringLiteral("へ"));
        w.click(w.cell(10, kColAfter));
        w.platform.answers = {MessageAnswer::Yes};  // 新しいページに移動しますか
        w.key(Qt::Key_Return);
        EditingWindow::type(w.view.headingBox(), QStringLiteral("つぎ"));
        QTest::keyClick(w.view.headingBox(), Qt::Key_Return);
        w.type(QStringLiteral("ほしが"));
        w.key(Qt::Key_Return);
        w.type(QStringLiteral("光る"));
        return w.view.headingBox()->count() == 2 && w.cell(1, kColKanji)->text() == QStringLiteral("光る");
    }

private slots:
    void toolbarSaveWritesTheFileAndExitAsksNothing() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QVERIFY(fillTwoPages(w));
        w.platform.messages.clear();
        const QString path = w.dir.filePath(QStringLiteral("two.mojx"));
        w.platform.savePaths = {path};
        w.clickToolbar(4);  // 保存
        QVERIFY(w.platform.messages.empty());
        QCOMPARE(w.view.statusPanel(1)->text(), path);

        const QStringList lines = fileLines(path);
        QCOMPARE(lines.size(), 2);
        const QStringList p1 = lines[0].split(u',');
        const QStringList p2 = lines[1].split(u',');
        QCOMPARE(p1.size(), 74);
        QCOMPARE(p2.size(), 74);
        QCOMPARE(p1[0], QStringLiteral("れんしゅう"));
        QCOMPARE(p1.mid(2, 4), (QStringList{"きょうは", "天気", "てんき", "です"}));
        QCOMPARE(p1.mid(6, 4), (QStringList{"", "", "", ""}));
        QCOMPARE(p1[42], QStringLiteral("ＭＳ Ｐ明朝"));
        QCOMPARE(p1.mid(47, 3), (QStringList{"学校", "がっこう", "へ"}));  // row 2, second word
        QCOMPARE(p2[0], QStringLiteral("つぎ"));
        // The last text typed (光る, no Enter after it) is in the file too.
        QCOMPARE(p2.mid(2, 4), (QStringList{"ほしが", "光る", "", ""}));

        w.clickToolbar(21);  // 終了
        QVERIFY(w.platform.messages.empty());
        QVERIFY(w.model.isClosed());
        QVERIFY(!w.view.isVisible());
    }

    void menuSaveStillAsksAtExit() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QVERIFY(w.startWorkbook());
        w.type(QStringLiteral("あさ"));
        const QString path = w.dir.filePath(QStringLiteral("menu.mojx"));
        w.platform.savePaths = {path};
        QVERIFY(w.chooseMenu(QStringLiteral("sa")));
        QCOMPARE(fileLines(path).size(), 1);
        QCOMPARE(fileLines(path)[0].split(u',').mid(0, 3), (QStringList{"れんしゅう", "", "あさ"}));
        QVERIFY(w.platform.messages.empty());

        w.platform.answers = {MessageAnswer::No};
        w.clickToolbar(21);
        QCOMPARE(w.platform.messageTexts(), QStringList{kExitQuestion});
        QCOMPARE(w.platform.messages[0].title, QStringLiteral("確認メッセージ"));
        QCOMPARE(w.platform.messages[0].buttons, MessageButtons::YesNo);
        QVERIFY(!w.model.isClosed());
        QVERIFY(w.view.isVisible());

        w.platform.answers = {MessageAnswer::Yes};
        QVERIFY(w.chooseMenu(QStringLiteral("en")));
        QCOMPARE(w.platform.messageTexts(), (QStringList{kExitQuestion, kExitQuestion}));
        QVERIFY(w.model.isClosed());
        QVERIFY(!w.view.isVisible());
    }

    void cancelledToolbarSaveStillAsksAtExit() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QVERIFY(w.startWorkbook());
        w.type(QStringLiteral("よる"));
        w.clickToolbar(4);  // the dialog is cancelled
        QVERIFY(QDir(w.dir.path()).entryList({QStringLiteral("*.moj*")}, QDir::Files).isEmpty());
        w.platform.answers = {MessageAnswer::No};
        w.clickToolbar(21);
        QCOMPARE(w.platform.messageTexts(), QStringList{kExitQuestion});
        QVERIFY(!w.model.isClosed());
    }

    void toolbarSaveOfAPageWithoutHeadingAsksFirst() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        w.clickToolbar(2);  // 新規作成, heading not registered
        const QString path = w.dir.filePath(QStringLiteral("untitled.mojx"));
        w.platform.savePaths = {path};
        w.platform.answers = {MessageAnswer::No};
        w.clickToolbar(4);
        QCOMPARE(w.platform.messageTexts(),
                 QStringList{QStringLiteral("見出しが登録されていません\nこのまま保存しますか？")});
        QVERIFY(!QFile::exists(path));
        QCOMPARE(w.platform.savePaths.size(), size_t(1));  // no save dialog
        QCOMPARE(backOf(w.view.headingBox()->lineEdit()), QStringLiteral("#ffff00"));
    }

    void openShowsTheSavedWorkbook() {
        const QString path = [] {
            EditingWindow w;
            if (!QTest::qWaitForWindowActive(&w.view) || !fillTwoPages(w)) return QString();
            const QString p = QDir(QDir::tempPath()).filePath(QStringLiteral("jirakubo-editing-open.mojx"));
            QFile::remove(p);
            w.platform.savePaths = {p};
            w.clickToolbar(4);
            return p;
        }();
        QVERIFY(!path.isEmpty());
        QCOMPARE(fileLines(path).size(), 2);

        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        // The input method's last result must not reach the readings of the loaded page.
        w.platform.readingTracker().onInputMethodEvent(QStringLiteral("かわ"), false, {});
        w.platform.readingTracker().onInputMethodEvent({}, false, QStringLiteral("川"));
        QCOMPARE(w.platform.lastCommitReading(), QStringLiteral("かわ"));
        w.platform.openPaths = {path};
        QVERIFY(w.chooseMenu(QStringLiteral("of")));
        QFile::remove(path);
        QVERIFY(w.platform.messages.empty());
        QCOMPARE(w.view.statusPanel(1)->text(), path);
        QCOMPARE(w.view.headingBox()->count(), 2);
        QCOMPARE(w.view.headingBox()->itemText(1), QStringLiteral("つぎ"));
        QCOMPARE(w.widget(QStringLiteral("Label9"))->text(), QStringLiteral("れんしゅう"));
        QCOMPARE(w.view.statusPanel(4)->text(), QStringLiteral(" 1頁"));
        QCOMPARE(w.view.numberLabel(1)->text(), QStringLiteral("1"));
        QCOMPARE(w.cell(1, kColBefore)->text(), QStringLiteral("きょうは"));
        QCOMPARE(w.cell(1, kColKanji)->text(), QStringLiteral("天気"));
        QCOMPARE(w.cell(1, kColReading)->text(), QStringLiteral("てんき"));
        QCOMPARE(w.cell(1, kColAfter)->text(), QStringLiteral("です"));
        QVERIFY(w.view.check3(2)->isChecked());
        QVERIFY(w.cell(2, kColKanji2)->isVisible());
        QCOMPARE(w.cell(2, kColKanji2)->text(), QStringLiteral("学校"));
        QCOMPARE(w.cell(2, kColReading2)->text(), QStringLiteral("がっこう"));
        QCOMPARE(w.cell(2, kColAfter2)->text(), QStringLiteral("へ"));
        QVERIFY(!w.view.check3(1)->isChecked());
        QVERIFY(!w.cell(1, kColKanji2)->isVisible());
        QVERIFY(w.entry()->isEnabled());
        QCOMPARE(w.workNumber(), QStringLiteral("12"));
        QCOMPARE(w.entry()->text(), QStringLiteral("きょうは"));

        // The next page from the heading box.
        QTest::keyClick(w.view.headingBox(), Qt::Key_Down);
        QCOMPARE(w.widget(QStringLiteral("Label9"))->text(), QStringLiteral("つぎ"));
        QCOMPARE(w.view.statusPanel(4)->text(), QStringLiteral(" 2頁"));
        QCOMPARE(w.view.numberLabel(1)->text(), QStringLiteral("11"));
        QCOMPARE(w.cell(1, kColBefore)->text(), QStringLiteral("ほしが"));
        QCOMPARE(w.cell(1, kColKanji)->text(), QStringLiteral("光る"));
        QCOMPARE(w.cell(2, kColKanji2)->text(), QString());
        QVERIFY(!w.view.check3(2)->isChecked());
        QVERIFY(!w.cell(2, kColKanji2)->isVisible());
    }
};

QTEST_MAIN(EditingFilesTest)
#include "editing_files_test.moc"
