#include "results/sql_results_store.h"

#include <QAtomicInt>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

namespace {

QAtomicInt connectionCounter;

// The statements both engines take alike; only the list of tables differs.
const char* const kSchema[] = {
    "CREATE TABLE schema_version (version INTEGER NOT NULL)",
    "CREATE TABLE classes (name TEXT PRIMARY KEY, added_at TEXT NOT NULL)",
    "CREATE TABLE students (class_name TEXT NOT NULL REFERENCES classes(name), name TEXT NOT NULL, "
    "added_at TEXT NOT NULL, PRIMARY KEY (class_name, name))",
    // A problem is its four texts; problem_key joins them, so the same problem in another
    // workbook, under another heading, is the same row.
    "CREATE TABLE problems (problem_key TEXT PRIMARY KEY, before_text TEXT NOT NULL, word TEXT NOT NULL, "
    "reading TEXT NOT NULL, after_text TEXT NOT NULL)",
    // One row per problem and scoring: the day it was asked, when it was written, its place
    // in the scoring, and whether it was right (1) or wrong (0).
    "CREATE TABLE answers (class_name TEXT NOT NULL, student TEXT NOT NULL, "
    "problem_key TEXT NOT NULL REFERENCES problems(problem_key), answered_on TEXT NOT NULL, "
    "recorded_at TEXT NOT NULL, position INTEGER NOT NULL, correct INTEGER NOT NULL)",
    "CREATE INDEX answers_by_class ON answers (class_name, answered_on)",
};

QString now() {
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
}

// The time a row is written, later than every stamp already in table.column: the roster and
// the scorings are listed in the order they were written, and two written within one
// millisecond would otherwise tie (and fall back on the names' order).
QString stampAfterLatest(const QString& connection, const QString& table, const QString& column) {
    const QString stamp = now();
    QSqlQuery q(QSqlDatabase::database(connection, false));
    if (!q.exec(QStringLiteral("SELECT MAX(%1) FROM %2").arg(column, table)) || !q.next() ||
        q.value(0).isNull())
        return stamp;
    const QString latest = q.value(0).toString();
    if (stamp > latest) return stamp;
    const QDateTime t = QDateTime::fromString(latest, Qt::ISODateWithMs);
    return t.isValid() ? t.addMSecs(1).toUTC().toString(Qt::ISODateWithMs) : stamp;
}

// SQLite's primary result code (the low byte of an extended one), or -1.
int sqliteCode(const QSqlError& error) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? (code & 0xff) : -1;
}

}  // namespace

QString resultsDatabaseMessage(const DatabaseLocation& location, const QSqlError& error) {
    const QString where = location.display();
    const QString detail = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    if (location.kind == DatabaseLocation::Kind::SqliteFile) {
        switch (sqliteCode(error)) {
        case 5:  // SQLITE_BUSY
        case 6:  // SQLITE_LOCKED
            return QStringLiteral(
                       "記録のデータベース %1 は、ほかのプログラムが使っています。"
                       "少し待ってからもう一度してください。記録はそのままです（何も書いていません）")
                .arg(where);
        case 11:  // SQLITE_CORRUPT
        case 26:  // SQLITE_NOTADB
            return QStringLiteral(
                       "記録のデータベース %1 は壊れているか、記録のファイルではありません。"
                       "ファイルには手を付けずにそのままにしてあります。"
                       "バックアップから戻すか、--db で別のファイルを指定してください（%2）")
                .arg(where, detail);
        case 13:  // SQLITE_FULL
            return QStringLiteral(
                       "ディスクがいっぱいで、記録のデータベース %1 に書き込めませんでした。"
                       "それまでの記録はそのままです。空きを作ってからもう一度してください")
                .arg(where);
        case 10:  // SQLITE_IOERR
            return QStringLiteral(
                       "記録のデータベース %1 "
                       "の読み書きに失敗しました（ディスクがいっぱいか、ディスクの故障です: %2）。"
                       "それまでの記録はそのままです")
                .arg(where, detail);
        case 8:  // SQLITE_READONLY
            return QStringLiteral(
                       "記録のデータベース %1 には書き込めません（読み取り専用です）。"
                       "それまでの記録はそのままです")
                .arg(where);
        case 14:  // SQLITE_CANTOPEN
            return QStringLiteral(
                       "記録のデータベース %1 を開けません（書き込みの権限がないか、読み取り専用の場所です）")
                .arg(where);
        default: break;
        }
    } else {
        const QString state = error.nativeErrorCode();
        if (state == u"53100")
            return QStringLiteral(
                       "サーバー %1 のディスクがいっぱいで、記録を書き込めませんでした。"
                       "それまでの記録はそのままです")
                .arg(where);
        if (state == u"25006")
            return QStringLiteral("サーバー %1 の記録には書き込めません（読み取り専用です）").arg(where);
        if (state == u"55P03" || state == u"40P01" || state == u"40001")
            return QStringLiteral(
                       "サーバー %1 の記録は、ほかの人が書き込み中です。"
                       "少し待ってからもう一度してください。記録はそのままです")
                .arg(where);
        if (error.type() == QSqlError::ConnectionError || state.startsWith(QLatin1String("08")) ||
            state.startsWith(QLatin1String("28")) || state == u"3D000")
            return QStringLiteral("記録のサーバー %1 につながりません（%2）").arg(where, detail.trimmed());
    }
    return QStringLiteral("記録のデータベース %1 でエラーが起きました（%2）。それまでの記録はそのままです")
        .arg(where, detail.trimmed());
}

SqlResultsStore::SqlResultsStore(DatabaseLocation location, QString connectionName)
    : location_(std::move(location)), connection_(std::move(connectionName)) {}

SqlResultsStore::~SqlResultsStore() {
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        if (db.isOpen()) db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

std::unique_ptr<SqlResultsStore> SqlResultsStore::open(const DatabaseLocation& location,
                                                       const Options& options, QString* message) {
    const QString name = QStringLiteral("jirakubo-results-%1").arg(connectionCounter.fetchAndAddRelaxed(1));
    std::unique_ptr<SqlResultsStore> store(new SqlResultsStore(location, name));
    if (!store->openConnection(options, message)) return nullptr;
    if (!store->prepareSchema(message)) return nullptr;
    return store;
}

bool SqlResultsStore::openConnection(const Options& options, QString* message) {
    const bool sqlite = location_.kind == DatabaseLocation::Kind::SqliteFile;
    const QString driver = sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL");
    if (!QSqlDatabase::isDriverAvailable(driver)) {
        *message =
            sqlite
                ? QStringLiteral(
                      "SQLite のドライバーがありません（パッケージ libqt6sql6-sqlite を入れてください）")
                : QStringLiteral(
                      "PostgreSQL のドライバーがありません（パッケージ libqt6sql6-psql を入れてください）");
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(driver, connection_);
    if (sqlite) {
        const QFileInfo file(location_.path);
        if (file.exists() && !file.isFile()) {
            *message = QStringLiteral("記録のデータベース %1 はファイルではありません").arg(location_.path);
            return false;
        }
        if (!QDir().mkpath(file.absolutePath())) {
            *message =
                QStringLiteral("記録のデータベースのフォルダー %1 を作れません").arg(file.absolutePath());
            return false;
        }
        db.setDatabaseName(location_.path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(options.busyTimeoutMs));
        if (!db.open()) {
            *message = resultsDatabaseMessage(location_, db.lastError());
            return false;
        }
        return true;
    }
    db.setHostName(location_.host);
    db.setPort(location_.port);
    db.setUserName(location_.user);
    db.setDatabaseName(location_.databaseName);
    db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    if (db.open()) return true;
    // No password in ~/.pgpass (or a wrong one): ask once, and keep it only in the connection.
    const QString text = db.lastError().databaseText() + db.lastError().driverText();
    if (options.askPassword && text.contains(QLatin1String("password"))) {
        if (const auto password =
                options.askPassword(QStringLiteral("%1 のパスワード: ").arg(location_.display()))) {
            if (db.open(location_.user, *password)) return true;
        }
    }
    *message = resultsDatabaseMessage(location_, db.lastError());
    return false;
}

bool SqlResultsStore::exec(const QString& sql, const QVariantList& values, QString* message) {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    // Statements without values run as they are (PostgreSQL prepares no CREATE TABLE).
    if (values.isEmpty()) {
        if (q.exec(sql)) return true;
        *message = errorMessage(q.lastError());
        return false;
    }
    if (!q.prepare(sql)) {
        *message = errorMessage(q.lastError());
        return false;
    }
    for (const QVariant& v : values) {
        // An empty text is an empty text, never NULL (the columns are NOT NULL).
        if (v.typeId() == QMetaType::QString && v.toString().isNull())
            q.addBindValue(QStringLiteral(""));
        else
            q.addBindValue(v);
    }
    if (!q.exec()) {
        *message = errorMessage(q.lastError());
        return false;
    }
    return true;
}

QString SqlResultsStore::errorMessage(const QSqlError& error) const {
    return resultsDatabaseMessage(location_, error);
}

bool SqlResultsStore::inTransaction(const std::function<bool(QString*)>& work, QString* message) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    // SQLite: take the write lock at once, so that a second writer waits its turn instead of
    // failing half way.
    const QString begin = location_.kind == DatabaseLocation::Kind::SqliteFile
                              ? QStringLiteral("BEGIN IMMEDIATE")
                              : QStringLiteral("BEGIN");
    {
        QSqlQuery q(db);
        if (!q.exec(begin)) {
            *message = errorMessage(q.lastError());
            return false;
        }
    }
    bool ok = work(message);
    if (ok) {
        QSqlQuery q(db);
        if (q.exec(QStringLiteral("COMMIT"))) return true;
        *message = errorMessage(q.lastError());
    }
    QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
    return false;
}

bool SqlResultsStore::prepareSchema(QString* message) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    const bool sqlite = location_.kind == DatabaseLocation::Kind::SqliteFile;
    // Reading comes first: a database of a newer program, or none of ours, is left as it is.
    for (int attempt = 0; attempt < 2; ++attempt) {
        QStringList tables;
        {
            QSqlQuery q(db);
            const QString sql = sqlite ? QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'")
                                       : QStringLiteral(
                                             "SELECT table_name FROM information_schema.tables "
                                             "WHERE table_schema = current_schema()");
            if (!q.exec(sql)) {
                *message = errorMessage(q.lastError());
                return false;
            }
            while (q.next()) tables << q.value(0).toString();
        }
        if (tables.contains(QStringLiteral("schema_version"))) {
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("SELECT MAX(version) FROM schema_version"))) {
                *message = errorMessage(q.lastError());
                return false;
            }
            const int version = q.next() ? q.value(0).toInt() : 0;
            q.finish();
            if (version > kResultsSchemaVersion) {
                *message = QStringLiteral(
                               "記録のデータベース %1 は新しい版の字楽坊が作ったものです（版 %2、"
                               "この字楽坊が読めるのは版 %3 まで）。書き換えずにそのままにしてあります。"
                               "新しい字楽坊で開いてください")
                               .arg(location_.display())
                               .arg(version)
                               .arg(kResultsSchemaVersion);
                return false;
            }
            if (version < 1) {
                *message = QStringLiteral("記録のデータベース %1 の版が読めません。そのままにしてあります")
                               .arg(location_.display());
                return false;
            }
            break;
        }
        if (!tables.isEmpty()) {
            *message = QStringLiteral(
                           "%1 は字楽坊の記録のデータベースではありません（ほかの表があります）。"
                           "そのままにしてあります。--db で別のファイルを指定してください")
                           .arg(location_.display());
            return false;
        }
        if (createSchema(message)) break;
        // Another program may have made the tables at the same moment: look again once.
        if (attempt == 1) return false;
    }
    if (sqlite) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("PRAGMA journal_mode = WAL"))) {
            *message = errorMessage(q.lastError());
            return false;
        }
    }
    return true;
}

bool SqlResultsStore::createSchema(QString* message) {
    return inTransaction(
        [&](QString* m) {
            for (const char* sql : kSchema)
                if (!exec(QString::fromLatin1(sql), {}, m)) return false;
            return exec(QStringLiteral("INSERT INTO schema_version (version) VALUES (?)"),
                        {kResultsSchemaVersion}, m);
        },
        message);
}

bool SqlResultsStore::roster(std::vector<ClassRoster>* classes, QString* message) {
    classes->clear();
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT name FROM classes ORDER BY added_at, name"))) {
        *message = errorMessage(q.lastError());
        return false;
    }
    while (q.next()) classes->push_back({q.value(0).toString(), {}});
    q.finish();
    QSqlQuery s(db);
    if (!s.exec(QStringLiteral("SELECT class_name, name FROM students ORDER BY added_at, name"))) {
        *message = errorMessage(s.lastError());
        return false;
    }
    while (s.next())
        for (ClassRoster& c : *classes)
            if (c.name == s.value(0).toString()) c.students << s.value(1).toString();
    return true;
}

bool SqlResultsStore::addClass(const QString& className, QString* message) {
    return inTransaction(
        [&](QString* m) {
            return exec(
                QStringLiteral("INSERT INTO classes (name, added_at) VALUES (?, ?) ON CONFLICT DO NOTHING"),
                {className,
                 stampAfterLatest(connection_, QStringLiteral("classes"), QStringLiteral("added_at"))},
                m);
        },
        message);
}

bool SqlResultsStore::addStudent(const QString& className, const QString& student, QString* message) {
    return inTransaction(
        [&](QString* m) {
            const QString at = std::max(
                stampAfterLatest(connection_, QStringLiteral("classes"), QStringLiteral("added_at")),
                stampAfterLatest(connection_, QStringLiteral("students"), QStringLiteral("added_at")));
            return exec(QStringLiteral(
                            "INSERT INTO classes (name, added_at) VALUES (?, ?) ON CONFLICT DO NOTHING"),
                        {className, at}, m) &&
                   exec(QStringLiteral("INSERT INTO students (class_name, name, added_at) VALUES (?, ?, ?) "
                                       "ON CONFLICT DO NOTHING"),
                        {className, student, at}, m);
        },
        message);
}

bool SqlResultsStore::recordAnswers(const QString& className, const QString& student, const QDate& date,
                                    const std::vector<ScoredProblem>& answers, QString* message) {
    return inTransaction(
        [&](QString* m) {
            const QString at = std::max(
                stampAfterLatest(connection_, QStringLiteral("classes"), QStringLiteral("added_at")),
                stampAfterLatest(connection_, QStringLiteral("answers"), QStringLiteral("recorded_at")));
            const QString day = date.toString(Qt::ISODate);
            if (!exec(QStringLiteral(
                          "INSERT INTO classes (name, added_at) VALUES (?, ?) ON CONFLICT DO NOTHING"),
                      {className, at}, m))
                return false;
            int position = 0;
            for (const ScoredProblem& a : answers) {
                const TestProblem& p = a.problem;
                const QString key = problemKey(p);
                if (!exec(QStringLiteral(
                              "INSERT INTO problems (problem_key, before_text, word, reading, after_text) "
                              "VALUES (?, ?, ?, ?, ?) ON CONFLICT DO NOTHING"),
                          {key, p.before, p.word, p.reading, p.after}, m))
                    return false;
                if (!exec(
                        QStringLiteral("INSERT INTO answers (class_name, student, problem_key, answered_on, "
                                       "recorded_at, position, correct) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                        {className, student, key, day, at, ++position, a.right ? 1 : 0}, m))
                    return false;
            }
            return true;
        },
        message);
}

bool SqlResultsStore::histories(const QString& className, std::vector<ProblemHistory>* out,
                                QString* message) {
    out->clear();
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    if (!q.prepare(QStringLiteral(
            "SELECT a.problem_key, p.before_text, p.word, p.reading, p.after_text, a.answered_on, a.correct "
            "FROM answers a JOIN problems p ON p.problem_key = a.problem_key WHERE a.class_name = ? "
            "ORDER BY a.answered_on, a.recorded_at, a.position"))) {
        *message = errorMessage(q.lastError());
        return false;
    }
    q.addBindValue(className);
    if (!q.exec()) {
        *message = errorMessage(q.lastError());
        return false;
    }
    QHash<QString, size_t> index;
    while (q.next()) {
        const QString key = q.value(0).toString();
        auto it = index.find(key);
        if (it == index.end()) {
            ProblemHistory h;
            h.problem.before = q.value(1).toString();
            h.problem.word = q.value(2).toString();
            h.problem.reading = q.value(3).toString();
            h.problem.after = q.value(4).toString();
            out->push_back(h);
            it = index.insert(key, out->size() - 1);
        }
        (*out)[*it].answers.push_back(
            {QDate::fromString(q.value(5).toString(), Qt::ISODate), q.value(6).toInt() != 0});
    }
    if (q.lastError().isValid()) {
        *message = errorMessage(q.lastError());
        return false;
    }
    return true;
}
