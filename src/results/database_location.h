// Which database holds the results: the user's SQLite file (by default
// $XDG_DATA_HOME/jirakubo/results.sqlite) or a PostgreSQL server named by
// postgresql://user@host:port/dbname.
#pragma once

#include <QString>
#include <optional>

struct DatabaseLocation {
    enum class Kind { SqliteFile, PostgreSql };
    Kind kind = Kind::SqliteFile;
    QString path;  // SqliteFile
    QString user, host, databaseName;
    int port = 5432;

    // The file's path, or the server's address without a password, for messages.
    QString display() const;
};

// The user's own results file: the XDG data folder, jirakubo/results.sqlite.
QString defaultResultsPath();

// A file path, or a postgresql:// (postgres://) address; a message for an address that
// cannot be read, or one that carries a password (it is asked for, or read from ~/.pgpass,
// never written anywhere).
std::optional<DatabaseLocation> parseDatabaseLocation(const QString& text, QString* message);
