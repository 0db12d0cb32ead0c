// The class's results in a database through QtSql: the user's SQLite file (QSQLITE, with a
// write-ahead log) or a school's PostgreSQL server (QPSQL), the same schema and statements
// for both. A schema version table says which program made the database: a newer one is
// refused and left as it is. Every user action is one transaction; a database that is
// damaged, locked or cannot be written is reported in Japanese and keeps what it held.
#pragma once

#include <QSqlError>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "core/data/results_store.h"
#include "results/database_location.h"

// The schema this program writes and reads.
inline constexpr int kResultsSchemaVersion = 1;

class SqlResultsStore : public ResultsStore {
public:
    struct Options {
        // How long a write waits for another program's lock before it gives up.
        int busyTimeoutMs = 5000;
        // Asked for the server's password when ~/.pgpass has none; nothing: no password.
        std::function<std::optional<QString>(const QString& prompt)> askPassword;
    };

    // Opens (or, for a new SQLite file or an empty PostgreSQL database, creates) the
    // results database; nothing and a message when it cannot be used.
    static std::unique_ptr<SqlResultsStore> open(const DatabaseLocation& location, const Options& options,
                                                 QString* message);
    ~SqlResultsStore() override;
    SqlResultsStore(const SqlResultsStore&) = delete;
    SqlResultsStore& operator=(const SqlResultsStore&) = delete;

    const DatabaseLocation& location() const { return location_; }

    bool roster(std::vector<ClassRoster>* classes, QString* message) override;
    bool addClass(const QString& className, QString* message) override;
    bool addStudent(const QString& className, const QString& student, QString* message) override;
    bool recordAnswers(const QString& className, const QString& student, const QDate& date,
                       const std::vector<ScoredProblem>& answers, QString* message) override;
    bool histories(const QString& className, std::vector<ProblemHistory>* out, QString* message) override;

private:
    SqlResultsStore(DatabaseLocation location, QString connectionName);
    bool openConnection(const Options& options, QString* message);
    bool prepareSchema(QString* message);
    bool createSchema(QString* message);
    // Runs `work` between BEGIN and COMMIT; rolls back on any failure.
    bool inTransaction(const std::function<bool(QString*)>& work, QString* message);
    bool exec(const QString& sql, const QVariantList& values, QString* message);
    QString errorMessage(const QSqlError& error) const;

    DatabaseLocation location_;
    QString connection_;
};

// What went wrong, for the teacher, from a database error (SQLite result codes or
// PostgreSQL SQLSTATEs).
QString resultsDatabaseMessage(const DatabaseLocation& location, const QSqlError& error);
