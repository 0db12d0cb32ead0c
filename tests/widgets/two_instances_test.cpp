// Two instances of the program on one workbook, as two real processes: the program itself
// (bin/jirakubo, offscreen) holds two.mojx open, and this process opens the same file through
// the main window's model. The second is warned; a file changed on disk is not overwritten
// without a question; the lock of an instance that was killed is taken over without a word.
#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "core/data/problem_files.h"
#include "core/data/text_codec.h"
#include "core/data/workbook_lock.h"
#include "core/windows/main/main_window.h"
#include "fake_platform.h"

namespace {

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
QString readCp932(const QString& path) {
    return textcodec::decodeCp932(readBytes(path)).value_or(QString());
}
void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}
// A page line of 74 fields holding only its heading.
QString pageLine(const QString& heading) {
    return heading + QString(73, u',');
}

// Waits up to timeoutMs for the lock file of path to hold pid as its first line.
bool waitForLockOf(const QString& path, qint64 pid, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    for (;;) {
        if (readBytes(workbookLockPath(path)).startsWith(QByteArray::number(pid) + '\n')) return true;
        if (t.elapsed() >= timeoutMs) return false;
        QTest::qWait(50);
    }
}

}  // namespace

class TwoInstancesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString two;
    QProcess other;

    QString path(const QString& name) const { return dir.filePath(name); }

    // The other instance: the program, offscreen, opening two.mojx as "jirakubo two.mojx".
    void startOtherInstance() {
        const QString program =
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("jirakubo"));
        QVERIFY2(QFileInfo(program).isExecutable(), qPrintable(program + QStringLiteral(" is not built")));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), dir.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
        other.setProcessEnvironment(env);
        other.setWorkingDirectory(dir.path());
        other.start(program, {two});
        QVERIFY(other.waitForStarted(10000));
        QVERIFY2(waitForLockOf(two, other.processId(), 30000), "the other instance took no lock");
    }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        two = path(QStringLiteral("two.mojx"));
        writeBytes(two, textcodec::encodeCp932(pageLine(QStringLiteral("一")) + QStringLiteral("\r\n") +
                                               pageLine(QStringLiteral("二")) + QStringLiteral("\r\n"))
                            .value_or(QByteArray()));
        startOtherInstance();
    }

    void cleanupTestCase() {
        if (other.state() != QProcess::NotRunning) {
            other.kill();
            other.waitForFinished(5000);
        }
    }

    void theSecondInstanceIsWarnedAndMayDecline() {
        FakePlatform platform;
        platform.cwd = dir.path();
        Workbook wb;
        MainWindow mw(platform, wb);
        mw.startUp();
        platform.openPaths = {two};
        platform.answers = {MessageAnswer::No};
        mw.onMenu(QStringLiteral("of"));
        QCOMPARE(platform.messages.back().text,
                 QStringLiteral("%1 は、ほかの字楽坊でも開かれています（ユーザー %2、プロセス番号 %3）。\n"
                                "両方で編集して保存すると、先に保存した方の変更が失われます。\n"
                                "それでも開きますか？")
                     .arg(two, QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name))
                     .arg(other.processId()));
        QCOMPARE(platform.messages.back().buttons, MessageButtons::YesNo);
        QVERIFY(wb.headingList.isEmpty());  // declined: nothing opened
        QVERIFY(waitForLockOf(two, other.processId(), 0));
    }

    void aFileChangedOnDiskIsNotOverwrittenWithoutAQuestion() {
        FakePlatform platform;
        platform.cwd = dir.path();
        Workbook wb;
        MainWindow mw(platform, wb);
        mw.startUp();
        platform.openPaths = {two};
        platform.answers = {MessageAnswer::Yes};  // open it all the same
        mw.onMenu(QStringLiteral("of"));
        QCOMPARE(wb.headingList, (QStringList{QStringLiteral("一"), QStringLiteral("二")}));
        mw.onCellClick(1, kColKanji);
        mw.onEntryKeyPress(0);
        mw.onEntryTextEdited(QStringLiteral("山"));

        // Meanwhile the file changes on disk: another process writes it, as the other
        // instance's save would.
        QTest::qWait(20);
        QProcess writer;
        writer.start(QStringLiteral("/bin/sh"),
                     {QStringLiteral("-c"),
                      QStringLiteral("printf 'other,\\r\\n' > '%1.new' && mv '%1.new' '%1'").arg(two)});
        QVERIFY(writer.waitForFinished(10000) && writer.exitCode() == 0);
        const QByteArray theirs = readBytes(two);
        const QDateTime changed = QFileInfo(two).lastModified();

        // Cancel: nothing written.
        platform.savePaths = {two};
        platform.answers = {MessageAnswer::Cancelled};
        mw.onMenu(QStringLiteral("sa"));
        const auto& asked = platform.messages.back();
        QCOMPARE(asked.buttons, MessageButtons::SaveAsOverwriteCancel);
        QVERIFY2(
            asked.text.startsWith(QStringLiteral("%1 "
                                                 "は、開いた後（または前回保存した後）に、ほかの字楽坊かほか"
                                                 "のプログラムで変更されています（変更日時 %2）。")
                                      .arg(two, changed.toString(QStringLiteral("yyyy年M月d日 H:mm:ss")))),
            qPrintable(asked.text));
        QCOMPARE(readBytes(two), theirs);

        // Save under another name: the dialog again, proposing a copy's name; two.mojx stays.
        platform.savePaths = {two, path(QStringLiteral("mine.mojx"))};
        platform.answers = {MessageAnswer::Yes};
        mw.onMenu(QStringLiteral("sa"));
        QCOMPARE(platform.proposedSaveNames.back(), path(QStringLiteral("two - コピー.mojx")));
        QCOMPARE(readBytes(two), theirs);
        QVERIFY(readCp932(path(QStringLiteral("mine.mojx"))).contains(QStringLiteral("山")));

        // Back to two.mojx: it is another file's now, and it changed; overwrite keeps theirs
        // in the backup.
        platform.savePaths = {two};
        platform.answers = {MessageAnswer::Yes};  // the plain overwrite question
        mw.onMenu(QStringLiteral("sa"));
        QCOMPARE(platform.messages.back().buttons, MessageButtons::YesNo);
        QVERIFY(readCp932(two).contains(QStringLiteral("山")));
        QCOMPARE(readBytes(path(QStringLiteral("twoBK.mojx"))), theirs);

        // Saved here last: saving again asks only the plain question.
        const size_t before = platform.messages.size();
        platform.savePaths = {two};
        mw.onMenu(QStringLiteral("sa"));
        QCOMPARE(platform.messages.size(), before + 1);
        QCOMPARE(platform.messages.back().text, QStringLiteral("上書き保存します。よろしいですか？"));

        // Changed again on disk: Overwrite writes without a further question.
        QTest::qWait(20);
        writeBytes(two, "again,\r\n");
        platform.savePaths = {two};
        platform.answers = {MessageAnswer::No};  // 上書き保存
        const size_t asked2 = platform.messages.size();
        mw.onMenu(QStringLiteral("sa"));
        QCOMPARE(platform.messages.size(), asked2 + 1);
        QVERIFY(readCp932(two).contains(QStringLiteral("山")));
        QCOMPARE(readBytes(path(QStringLiteral("twoBK.mojx"))), QByteArray("again,\r\n"));
    }

    void theLockOfAKilledInstanceIsTakenOver() {
        ::kill(static_cast<pid_t>(other.processId()), SIGKILL);
        QVERIFY(other.waitForFinished(10000));
        QVERIFY(QFile::exists(workbookLockPath(two)));  // left behind by the killed process

        FakePlatform platform;
        platform.cwd = dir.path();
        Workbook wb;
        MainWindow mw(platform, wb);
        mw.startUp();
        const size_t before = platform.messages.size();
        platform.openPaths = {two};
        mw.onMenu(QStringLiteral("of"));
        QCOMPARE(platform.messages.size(), before);  // no question
        QVERIFY(!wb.headingList.isEmpty());
        QVERIFY(waitForLockOf(two, QCoreApplication::applicationPid(), 0));

        // A new workbook lets go of the file's lock, and removes the lock file.
        mw.onMenu(QStringLiteral("np"));
        QVERIFY(!QFile::exists(workbookLockPath(two)));
    }
};

QTEST_MAIN(TwoInstancesTest)
#include "two_instances_test.moc"
