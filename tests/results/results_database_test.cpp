// The results database on disk: a round trip through a new SQLite file, the schema version,
// and what a newer, foreign, damaged, locked, full or read-only database does: a Japanese
// message, and every mark it held still there.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include "core/data/results_store.h"
#include "full_disk.h"
#include "results/database_location.h"
#include "results/sql_results_store.h"

namespace {

TestProblem problem(int n) {
    return {QStringLiteral("まえ%1").arg(n),
            QStringLiteral("山"),
            QStringLiteral("やま"),
            QStringLiteral("あと%1").arg(n),
            {},
            {},
            {}};
}

// Five problems, rows in `wrong` marked wrong.
std::vector<ScoredProblem> scoring(std::initializer_list<int> wrong, int first = 1) {
    std::vector<ScoredProblem> out;
    for (int n = first; n < first + 5; ++n)
        out.push_back({problem(n), std::find(wrong.begin(), wrong.end(), n) == wrong.end()});
    return out;
}

DatabaseLocation fileAt(const QString& path) {
    DatabaseLocation l;
    l.path = path;
    return l;
}

std::unique_ptr<SqlResultsStore> openStore(const QString& path, QString* message, int busyMs = 5000) {
    SqlResultsStore::Options options;
    options.busyTimeoutMs = busyMs;
    return SqlResultsStore::open(fileAt(path), options, message);
}

QByteArray digest(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// "まえ1:○×" for each problem: its before-text and its marks.
QStringList marks(ResultsStore& store, const QString& className = kDefaultClassName) {
    std::vector<ProblemHistory> h;
    QString message;
    if (!store.histories(className, &h, &message)) return {QStringLiteral("error: ") + message};
    QStringList out;
    for (const ProblemHistory& p : h) {
        QString s = p.problem.before + u':';
        for (const Answer& a : p.answers) s += a.right ? u'○' : u'×';
        out << s;
    }
    return out;
}

// A plain connection of the test's own, beside the store's.
class RawConnection {
public:
    explicit RawConnection(const QString& path) : name_(QStringLiteral("raw-%1").arg(++counter_)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=50"));
        ok_ = db.open();
    }
    ~RawConnection() {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    bool ok() const { return ok_; }
    bool exec(const QString& sql) {
        QSqlQuery q(QSqlDatabase::database(name_, false));
        return q.exec(sql);
    }
    QString value(const QString& sql) {
        QSqlQuery q(QSqlDatabase::database(name_, false));
        if (!q.exec(sql) || !q.next()) return QStringLiteral("<none>");
        return q.value(0).toString();
    }

private:
    static inline int counter_ = 0;
    QString name_;
    bool ok_ = false;
};

TEST(ResultsDatabase, RoundTripThroughANewFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/folder/results.sqlite"));
    QString message;
    {
        auto store = openStore(path, &message);
        ASSERT_TRUE(store) << message.toStdString();
        ASSERT_TRUE(
            store->recordAnswers(kDefaultClassName, {}, QDate(2026, 12, 11), scoring({2, 5}), &message))
            << message.toStdString();
    }
    auto store = openStore(path, &message);
    ASSERT_TRUE(store) << message.toStdString();
    EXPECT_EQ(marks(*store), (QStringList{"まえ1:○", "まえ2:×", "まえ3:○", "まえ4:○", "まえ5:×"}));
    // The next day a review of two brings the two misses.
    std::vector<ProblemHistory> h;
    ASSERT_TRUE(store->histories(kDefaultClassName, &h, &message));
    const std::vector<TestProblem> review = reviewTest({}, h, QDate(2026, 12, 12), 2);
    ASSERT_EQ(review.size(), 2u);
    EXPECT_EQ(review[0].before, QStringLiteral("まえ2"));
    EXPECT_EQ(review[1].before, QStringLiteral("まえ5"));
    // The same problem under another heading, in another scoring, adds to its history.
    ASSERT_TRUE(
        store->recordAnswers(kDefaultClassName, {}, QDate(2026, 12, 12), {{problem(2), true}}, &message));
    EXPECT_EQ(marks(*store).at(1), QStringLiteral("まえ2:×○"));
    EXPECT_EQ(marks(*store, QStringLiteral("2組")), QStringList());
    store.reset();
    RawConnection raw(path);
    ASSERT_TRUE(raw.ok());
    EXPECT_EQ(raw.value(QStringLiteral("SELECT version FROM schema_version")), QStringLiteral("1"));
    EXPECT_EQ(raw.value(QStringLiteral("PRAGMA journal_mode")), QStringLiteral("wal"));
}

TEST(ResultsDatabase, RosterOfClassesAndStudents) {
    QTemporaryDir dir;
    QString message;
    auto store = openStore(dir.filePath(QStringLiteral("r.sqlite")), &message);
    ASSERT_TRUE(store) << message.toStdString();
    std::vector<ClassRoster> roster;
    ASSERT_TRUE(store->roster(&roster, &message));
    EXPECT_TRUE(roster.empty());
    ASSERT_TRUE(store->addStudent(QStringLiteral("3年1組"), QStringLiteral("たなか"), &message));
    ASSERT_TRUE(store->addStudent(QStringLiteral("3年1組"), QStringLiteral("あおき"), &message));
    ASSERT_TRUE(store->addStudent(QStringLiteral("3年1組"), QStringLiteral("たなか"), &message));  // once
    ASSERT_TRUE(store->addClass(QStringLiteral("3年2組"), &message));
    ASSERT_TRUE(store->roster(&roster, &message));
    ASSERT_EQ(roster.size(), 2u);
    EXPECT_EQ(roster[0].name, QStringLiteral("3年1組"));
    EXPECT_EQ(roster[0].students, (QStringList{"たなか", "あおき"}));
    EXPECT_EQ(roster[1].name, QStringLiteral("3年2組"));
    EXPECT_TRUE(roster[1].students.isEmpty());
    // A student's marks and the class's own count for the class's review.
    ASSERT_TRUE(store->recordAnswers(QStringLiteral("3年1組"), QStringLiteral("たなか"), QDate(2026, 12, 1),
                                     scoring({1}), &message));
    ASSERT_TRUE(store->recordAnswers(QStringLiteral("3年1組"), QStringLiteral("あおき"), QDate(2026, 12, 1),
                                     scoring({}), &message));
    EXPECT_EQ(marks(*store, QStringLiteral("3年1組")).first(), QStringLiteral("まえ1:×○"));
}

TEST(ResultsDatabase, NewerSchemaIsRefusedAndLeftAsItIs) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("newer.sqlite"));
    {
        RawConnection raw(path);
        ASSERT_TRUE(raw.exec(QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)")));
        ASSERT_TRUE(raw.exec(QStringLiteral("INSERT INTO schema_version VALUES (2)")));
        ASSERT_TRUE(raw.exec(QStringLiteral("CREATE TABLE answers_v2 (x TEXT)")));
    }
    const QByteArray before = digest(path);
    QString message;
    EXPECT_FALSE(openStore(path, &message));
    EXPECT_EQ(message,
              QStringLiteral(
                  "記録のデータベース %1 は新しい版の字楽坊が作ったものです（版 2、この字楽坊が読めるのは"
                  "版 1 まで）。書き換えずにそのままにしてあります。新しい字楽坊で開いてください")
                  .arg(path));
    EXPECT_EQ(digest(path), before);
    RawConnection raw(path);
    EXPECT_EQ(raw.value(QStringLiteral("PRAGMA journal_mode")), QStringLiteral("delete"));
}

TEST(ResultsDatabase, AnotherProgramsDatabaseIsRefused) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("other.sqlite"));
    {
        RawConnection raw(path);
        ASSERT_TRUE(raw.exec(QStringLiteral("CREATE TABLE addresses (name TEXT)")));
    }
    const QByteArray before = digest(path);
    QString message;
    EXPECT_FALSE(openStore(path, &message));
    EXPECT_TRUE(message.startsWith(path + QStringLiteral(" は字楽坊の記録のデータベースではありません")))
        << message.toStdString();
    EXPECT_EQ(digest(path), before);
}

TEST(ResultsDatabase, GarbageFileIsReportedAndKept) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("garbage.sqlite"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (int i = 0; i < 400; ++i) f.write("this is no database, but a teacher's notes\n");
    }
    const QByteArray before = digest(path);
    QString message;
    EXPECT_FALSE(openStore(path, &message));
    EXPECT_TRUE(message.startsWith(
        QStringLiteral("記録のデータベース %1 は壊れているか、記録のファイルではありません。"
                       "ファイルには手を付けずにそのままにしてあります。")
            .arg(path)))
        << message.toStdString();
    EXPECT_EQ(digest(path), before);
}

TEST(ResultsDatabase, DamagedPagesAreReportedAndKept) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("damaged.sqlite"));
    QString message;
    {
        auto store = openStore(path, &message);
        ASSERT_TRUE(store) << message.toStdString();
        for (int day = 1; day <= 40; ++day)
            ASSERT_TRUE(store->recordAnswers(kDefaultClassName, {}, QDate(2026, 10, 1).addDays(day),
                                             scoring({day % 5 + 1}, day * 5), &message));
    }
    // Every page after the first two (the header and the table list) overwritten.
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        const qint64 size = f.size();
        ASSERT_GT(size, 4096 * 6);
        for (qint64 at = 4096 * 2; at < size; at += 4096) {
            f.seek(at);
            f.write(QByteArray(4096, '\xA5'));
        }
    }
    const QByteArray before = digest(path);
    auto store = openStore(path, &message);
    bool failed = !store;
    if (store) failed = marks(*store).first().startsWith(QStringLiteral("error: "));
    if (store && failed) message = marks(*store).first().mid(7);
    EXPECT_TRUE(failed);
    EXPECT_TRUE(message.contains(QStringLiteral("壊れているか、記録のファイルではありません")))
        << message.toStdString();
    store.reset();
    EXPECT_EQ(digest(path), before);
}

TEST(ResultsDatabase, LockedDatabaseSaysSoAndKeepsEverything) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("locked.sqlite"));
    QString message;
    auto store = openStore(path, &message, 100);
    ASSERT_TRUE(store) << message.toStdString();
    ASSERT_TRUE(store->recordAnswers(kDefaultClassName, {}, QDate(2026, 12, 10), scoring({1}), &message));
    RawConnection other(path);
    ASSERT_TRUE(other.exec(QStringLiteral("BEGIN IMMEDIATE")));
    EXPECT_FALSE(store->recordAnswers(kDefaultClassName, {}, QDate(2026, 12, 11), scoring({3}), &message));
    EXPECT_EQ(message,
              QStringLiteral("記録のデータベース %1 は、ほかのプログラムが使っています。"
                             "少し待ってからもう一度してください。記録はそのままです（何も書いていません）")
                  .arg(path));
    // Reading goes on meanwhile (the write-ahead log).
    EXPECT_EQ(marks(*store).first(), QStringLiteral("まえ1:×"));
    ASSERT_TRUE(other.exec(QStringLiteral("ROLLBACK")));
    ASSERT_TRUE(store->recordAnswers(kDefaultClassName, {}, QDate(2026, 12, 11), scoring({3}), &message))
        << message.toStdString();
    EXPECT_EQ(marks(*store), (QStringList{"まえ1:×○", "まえ2:○○", "まえ3:○×", "まえ4:○○", "まえ5:○○"}));
}

TEST(ResultsDatabase, FullDiskKeepsTheMarksBeforeIt) {
    SmallDisk disk(512);
    SKIP_WITHOUT_SMALL_DISK(disk);
    const QString path = disk.path(QStringLiteral("results.sqlite"));
    QString message;
    auto store = openStore(path, &message);
    ASSERT_TRUE(store) << message.toStdString();
    ASSERT_TRUE(store->recordAnswers(kDefaultClassName, {}, QDate(2026, 12, 10), scoring({2}), &message))
        << message.toStdString();
    ASSERT_TRUE(disk.fill());
    // Enough scorings to need new pages.
    bool failed = false;
    for (int i = 0; i < 40 && !failed; ++i) {
        std::vector<ScoredProblem> many;
        for (int n = 0; n < 10; ++n) many.push_back({problem(1000 + i * 10 + n), false});
        failed = !store->recordAnswers(kDefaultClassName, {}, QDate(2026, 12, 11), many, &message);
    }
    ASSERT_TRUE(failed);
    EXPECT_EQ(message, QStringLiteral("ディスクがいっぱいで、記録のデータベース %1 に書き込めませんでした。"
                                      "それまでの記録はそのままです。空きを作ってからもう一度してください")
                           .arg(path));
    disk.empty();
    store.reset();
    store = openStore(path, &message);
    ASSERT_TRUE(store) << message.toStdString();
    const QStringList got = marks(*store);
    ASSERT_GE(got.size(), 5);
    EXPECT_EQ(got.mid(0, 5), (QStringList{"まえ1:○", "まえ2:×", "まえ3:○", "まえ4:○", "まえ5:○"}));
    EXPECT_TRUE(store->recordAnswers(kDefaultClassName, {}, QDate(2026, 12, 12), scoring({}), &message))
        << message.toStdString();
}

TEST(ResultsDatabase, ReadOnlyDiskRefusesWritesAndKeepsTheFile) {
    SmallDisk disk(512);
    SKIP_WITHOUT_SMALL_DISK(disk);
    const QString path = disk.path(QStringLiteral("results.sqlite"));
    QString message;
    {
        auto store = openStore(path, &message);
        ASSERT_TRUE(store) << message.toStdString();
        ASSERT_TRUE(store->recordAnswers(kDefaultClassName, {}, QDate(2026, 12, 10), scoring({4}), &message));
    }
    const QByteArray before = digest(path);
    ASSERT_TRUE(disk.makeReadOnly());
    auto store = openStore(path, &message);
    if (store) {
        EXPECT_FALSE(store->recordAnswers(kDefaultClassName, {}, QDate(2026, 12, 11), scoring({}), &message));
    }
    const QStringList expected = {
        QStringLiteral(
            "記録のデータベース %1 には書き込めません（読み取り専用です）。それまでの記録はそのままです")
            .arg(path),
        QStringLiteral("記録のデータベース %1 を開けません（書き込みの権限がないか、読み取り専用の場所です）")
            .arg(path)};
    EXPECT_TRUE(expected.contains(message)) << message.toStdString();
    store.reset();
    EXPECT_EQ(digest(path), before);
}

TEST(ResultsDatabase, NewFileInAFolderThatCannotBeMade) {
    QTemporaryDir dir;
    const QString blocker = dir.filePath(QStringLiteral("file"));
    QFile f(blocker);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    QString message;
    EXPECT_FALSE(openStore(blocker + QStringLiteral("/sub/results.sqlite"), &message));
    EXPECT_EQ(message, QStringLiteral("記録のデータベースのフォルダー %1/sub を作れません").arg(blocker));
    EXPECT_FALSE(openStore(dir.path(), &message));
    EXPECT_EQ(message, QStringLiteral("記録のデータベース %1 はファイルではありません").arg(dir.path()));
}

struct LocationCase {
    const char* name;
    const char* text;
    bool ok;
    const char* display;  // the parsed location, or the start of the message
};

class LocationTable : public ::testing::TestWithParam<LocationCase> {};

TEST_P(LocationTable, Parsed) {
    const LocationCase& c = GetParam();
    QString message;
    const auto l = parseDatabaseLocation(QString::fromUtf8(c.text), &message);
    ASSERT_EQ(l.has_value(), c.ok) << message.toStdString();
    if (c.ok)
        EXPECT_EQ(l->display(), QString::fromUtf8(c.display));
    else
        EXPECT_TRUE(message.startsWith(QString::fromUtf8(c.display))) << message.toStdString();
}

const LocationCase kLocations[] = {
    {"absolute_file", "/srv/r.sqlite", true, "/srv/r.sqlite"},
    {"server", "postgresql://sato@db.school.example:5433/kanji", true,
     "postgresql://sato@db.school.example:5433/kanji"},
    {"default_port", "postgres://sato@10.0.0.5/kanji", true, "postgresql://sato@10.0.0.5:5432/kanji"},
    {"password_refused", "postgresql://sato:secret@db/kanji", false,
     "postgresql://sato@db/kanji: パスワードはアドレスに書かないでください"},
    {"no_database", "postgresql://sato@db", false, "postgresql://sato@db: PostgreSQL のデータベースは"},
    {"no_host", "postgresql:///kanji", false, "postgresql:///kanji: PostgreSQL のデータベースは"},
};

INSTANTIATE_TEST_SUITE_P(Texts, LocationTable, ::testing::ValuesIn(kLocations),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DatabaseLocation, DefaultIsInTheUsersDataFolder) {
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    QString message;
    const auto l = parseDatabaseLocation({}, &message);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->path, home.path() + QStringLiteral("/jirakubo/results.sqlite"));
    qunsetenv("XDG_DATA_HOME");
}

}  // namespace
