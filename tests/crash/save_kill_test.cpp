// Saving is crash-safe: a child process saves a 201-page workbook over the existing file
// again and again (backup first, as the save command does), and is killed with SIGKILL at a
// random moment, many times. After every kill the file is the old workbook or the new one,
// whole; the backup too; the temporary files killed saves leave (".a.mojx.jirakubo-XXXXXX.tmp")
// are removed by the next save, so they never pile up; and the teacher's own files beside
// the workbook whose names merely begin with its name are never touched.
//
//   save_kill_test [ROUNDS] [--expect-named-temporaries]
//
// With --expect-named-temporaries at least one kill must have left a temporary file, which
// shows that the clean-up of what killed saves left was tested.
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>
#include <random>

#include "core/data/problem_files.h"
#include "core/data/text_codec.h"
#include "core/data/workbook.h"

namespace {

QStringList workbook(const QString& word) {
    QStringList lines;
    for (int p = 0; p < kMaxPages; ++p) {
        PageRecord rec;
        rec[0] = QStringLiteral("第%1課 %2").arg(p + 1).arg(word);
        for (int r = 1; r <= 10; ++r) {
            rec[slotFieldIndex(r, SlotField::Before)] = QStringLiteral("きのうは");
            rec[slotFieldIndex(r, SlotField::Kanji)] = word;
            rec[slotFieldIndex(r, SlotField::Reading)] = QStringLiteral("がっこう");
            rec[slotFieldIndex(r, SlotField::After2)] = QStringLiteral("とはなした。");
        }
        lines << pageLine(rec, kDefaultFontName);
    }
    return lines;
}

QByteArray bytesOf(const QStringList& lines) {
    return textcodec::encodeCp932(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).value();
}

QByteArray readAll(const QString& path, bool* exists) {
    QFile f(path);
    *exists = f.open(QIODevice::ReadOnly);
    return *exists ? f.readAll() : QByteArray();
}

// Files left beside the workbook and its backup by interrupted saves.
int temporaries(const QDir& dir) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\.(a|aBK)\\.mojx\\.jirakubo-[A-Za-z0-9]{6}\\.tmp$"));
    int n = 0;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        if (pattern.match(name).hasMatch()) ++n;
    return n;
}

// Files a teacher may keep beside a workbook, named after it.
const char* const kTeachersFiles[] = {"a.mojx.backup", "a.mojx.OLDONE", "a.mojx.202412", "aBK.mojx.AbCdEf"};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int rounds = 200;
    bool expectNamed = false;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--expect-named-temporaries")
            expectNamed = true;
        else
            rounds = QByteArray(argv[i]).toInt();
    }

    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const QString target = dir.filePath(QStringLiteral("a.mojx"));
    const QString backup = backupPathFor(target);
    const QStringList linesOld = workbook(QStringLiteral("学校"));
    const QStringList linesNew = workbook(QStringLiteral("先生"));
    const QByteArray old = bytesOf(linesOld);
    const QByteArray fresh = bytesOf(linesNew);
    if (!writeCp932Lines(target, linesOld, nullptr)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(target));
        return 1;
    }
    for (const char* name : kTeachersFiles) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        if (!f.open(QIODevice::WriteOnly) || f.write(name) != qint64(qstrlen(name))) return 2;
    }
    auto teachersFilesKept = [&] {
        for (const char* name : kTeachersFiles) {
            bool there = false;
            if (readAll(dir.filePath(QString::fromLatin1(name)), &there) != QByteArray(name)) return false;
        }
        return true;
    };

    // How long one save takes here: the kills fall anywhere within two of them.
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 5; ++i) {
        writeBackup(target, target, nullptr);
        writeCp932Lines(target, i % 2 ? linesOld : linesNew, nullptr);
    }
    const qint64 saveMicros = std::max<qint64>(timer.nsecsElapsed() / 5000, 100);

    std::mt19937 rng(20240229);
    std::uniform_int_distribution<qint64> moment(0, 2 * saveMicros);
    int failures = 0, killedWithTemporaries = 0, mostTemporaries = 0;
    auto fail = [&](int round, const char* what) {
        std::fprintf(stderr, "round %d: %s\n", round, what);
        ++failures;
    };
    for (int round = 1; round <= rounds && failures < 5; ++round) {
        const pid_t child = fork();
        if (child < 0) return 2;
        if (child == 0) {
            for (int i = 0;; ++i) {
                writeBackup(target, target, nullptr);
                writeCp932Lines(target, (i + round) % 2 ? linesOld : linesNew, nullptr);
            }
        }
        usleep(static_cast<useconds_t>(moment(rng)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);

        bool exists = false;
        const QByteArray now = readAll(target, &exists);
        if (!exists)
            fail(round, "the workbook is gone");
        else if (now != old && now != fresh)
            fail(round, "the workbook is neither the old one nor the new one");
        const QByteArray saved = readAll(backup, &exists);
        if (exists && saved != old && saved != fresh) fail(round, "the backup is not a whole workbook");

        if (!teachersFilesKept())
            fail(round, "a file of the teacher's beside the workbook was changed or removed");

        const int left = temporaries(dir);
        if (left > 0) ++killedWithTemporaries;
        mostTemporaries = std::max(mostTemporaries, left);
        // Each save removes what earlier killed saves left: only the last few kills' files
        // (a child killed before its first save had cleaned up) may be there.
        if (left > 4) fail(round, "temporary files pile up");
    }

    // One more save, after the last kill: nothing is left behind.
    usleep(20000);
    writeBackup(target, target, nullptr);
    if (!writeCp932Lines(target, linesNew, nullptr)) fail(rounds + 1, "the last save failed");
    if (temporaries(dir) != 0) fail(rounds + 1, "temporary files are left after a whole save");
    if (!teachersFilesKept())
        fail(rounds + 1, "a file of the teacher's beside the workbook was changed or removed");
    if (expectNamed && killedWithTemporaries == 0)
        fail(rounds + 1, "no kill left a temporary file: the named-file path was not tested");

    std::printf("%d kills, save %lld us, kills that left temporary files %d, most at once %d, %d failures\n",
                rounds, static_cast<long long>(saveMicros), killedWithTemporaries, mostTemporaries, failures);
    return failures == 0 ? 0 : 1;
}
