#include "results/database_location.h"

#include <QDir>
#include <QStandardPaths>
#include <QUrl>

QString DatabaseLocation::display() const {
    if (kind == Kind::SqliteFile) return path;
    return QStringLiteral("postgresql://%1@%2:%3/%4").arg(user, host).arg(port).arg(databaseName);
}

QString defaultResultsPath() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(base).filePath(QStringLiteral("jirakubo/results.sqlite"));
}

std::optional<DatabaseLocation> parseDatabaseLocation(const QString& text, QString* message) {
    DatabaseLocation location;
    if (text.isEmpty()) {
        location.path = defaultResultsPath();
        return location;
    }
    if (!text.startsWith(QLatin1String("postgresql://")) && !text.startsWith(QLatin1String("postgres://"))) {
        location.path = QDir::cleanPath(QDir::current().absoluteFilePath(text));
        return location;
    }
    const QUrl url(text, QUrl::StrictMode);
    const QString name = url.path().mid(1);
    if (!url.isValid() || url.host().isEmpty() || name.isEmpty() || name.contains(u'/')) {
        *message = QStringLiteral(
                       "%1: PostgreSQL のデータベースは postgresql://ユーザー@ホスト:ポート/データベース名 "
                       "の形で書いてください")
                       .arg(text);
        return std::nullopt;
    }
    if (!url.password().isEmpty()) {
        *message = QStringLiteral(
                       "%1: パスワードはアドレスに書かないでください。~/.pgpass に書くか、"
                       "聞かれたときに入力してください")
                       .arg(url.toString(QUrl::RemovePassword));
        return std::nullopt;
    }
    location.kind = DatabaseLocation::Kind::PostgreSql;
    location.host = url.host();
    location.port = url.port(5432);
    location.user = url.userName().isEmpty() ? qEnvironmentVariable("USER") : url.userName();
    location.databaseName = name;
    return location;
}
