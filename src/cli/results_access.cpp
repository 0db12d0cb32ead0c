#include "cli/results_access.h"

#include <termios.h>
#include <unistd.h>

#include <QFile>
#include <cstdio>

namespace {

// The password typed on the terminal, not shown; nothing when there is no terminal.
std::optional<QString> askOnTerminal(const QString& prompt) {
    FILE* tty = std::fopen("/dev/tty", "r+");
    if (!tty) return std::nullopt;
    std::fputs(prompt.toLocal8Bit().constData(), tty);
    std::fflush(tty);
    termios old{};
    const int fd = fileno(tty);
    const bool hidden = tcgetattr(fd, &old) == 0;
    if (hidden) {
        termios quiet = old;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(fd, TCSAFLUSH, &quiet);
    }
    char line[1024] = {};
    const bool read = std::fgets(line, sizeof line, tty) != nullptr;
    if (hidden) tcsetattr(fd, TCSAFLUSH, &old);
    std::fputs("\n", tty);
    std::fclose(tty);
    if (!read) return std::nullopt;
    QString password = QString::fromLocal8Bit(line);
    while (password.endsWith(u'\n') || password.endsWith(u'\r')) password.chop(1);
    return password;
}

}  // namespace

std::optional<QString> ResultsOptions::readClass(const QCommandLineParser& parser, QString* message) const {
    if (!parser.isSet(className)) return kDefaultClassName;
    const QString name = parser.value(className).trimmed();
    if (name.isEmpty()) {
        *message = QStringLiteral("--class にクラスの名前を書いてください");
        return std::nullopt;
    }
    return name;
}

std::optional<QDate> ResultsOptions::readDate(const QCommandLineParser& parser, QString* message) const {
    if (!parser.isSet(date)) return QDate::currentDate();
    const QDate d = QDate::fromString(parser.value(date), QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid()) {
        *message = QStringLiteral("「%1」は日付ではありません。2026-12-11 の形で書いてください")
                       .arg(parser.value(date));
        return std::nullopt;
    }
    return d;
}

std::unique_ptr<SqlResultsStore> ResultsOptions::open(const QCommandLineParser& parser,
                                                      QString* message) const {
    if (parser.isSet(db) && parser.value(db).isEmpty()) {
        *message = QStringLiteral("--db にデータベースのファイルかアドレスを書いてください");
        return nullptr;
    }
    const auto location = parseDatabaseLocation(parser.value(db), message);
    if (!location) return nullptr;
    SqlResultsStore::Options options;
    options.askPassword = askOnTerminal;
    return SqlResultsStore::open(*location, options, message);
}
