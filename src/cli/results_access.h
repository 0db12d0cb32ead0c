// What the results commands (test --review, score) share: the database named by --db (the
// user's file by default), with the server's password asked on the terminal when
// ~/.pgpass has none; the class by --class; the day by --date.
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDate>
#include <QString>
#include <memory>
#include <optional>

#include "results/sql_results_store.h"

struct ResultsOptions {
    QCommandLineOption db{QStringLiteral("db"),
                          QStringLiteral("The results database: an SQLite file (default: "
                                         "$XDG_DATA_HOME/jirakubo/results.sqlite) or "
                                         "postgresql://user@host:port/dbname."),
                          QStringLiteral("FILE")};
    QCommandLineOption className{QStringLiteral("class"), QStringLiteral("The class (default: クラス)."),
                                 QStringLiteral("NAME")};
    QCommandLineOption date{QStringLiteral("date"),
                            QStringLiteral("The day of the test, YYYY-MM-DD (default: today)."),
                            QStringLiteral("YYYY-MM-DD")};

    QList<QCommandLineOption> all() const { return {db, className, date}; }
    // The class named, or the default; a message for an empty name.
    std::optional<QString> readClass(const QCommandLineParser& parser, QString* message) const;
    std::optional<QDate> readDate(const QCommandLineParser& parser, QString* message) const;
    std::unique_ptr<SqlResultsStore> open(const QCommandLineParser& parser, QString* message) const;
};
