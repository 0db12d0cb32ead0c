// What every command of jirakubo-cli shares: parsing with usage on --help, and failing with
// a message on standard error.
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>

// Parses the arguments after the command name. --help prints the usage (synopsis and the
// parser's options) to standard output. Returns the exit status when the command is done
// (0 after --help, 1 after an unknown option, a missing value or a wrong number of
// positional arguments), std::nullopt when it goes on.
std::optional<int> parseCommandLine(QCommandLineParser& parser, const QString& command, const QString& synopsis,
                                    const QStringList& arguments, int minPositional, int maxPositional);

// "jirakubo-cli COMMAND: message" on standard error; returns the exit status 1.
int failCommand(const QString& command, const QString& message);

// A whole number in [low, high] from an option's value, or std::nullopt.
std::optional<int> parseWholeNumber(const QString& text, int low, int high);
