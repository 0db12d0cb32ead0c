// What every command of jirakubo-cli shares: parsing with usage on --help, and failing with
// a message on standard error.
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "cli/option_values.h"
#include "core/data/workbook.h"
#include "core/platform.h"
#include "render/print_target.h"

// Parses the arguments after the command name. --help prints the usage (synopsis and the
// parser's options) to standard output. Returns the exit status when the command is done
// (0 after --help, 1 after an unknown option, a missing value or a wrong number of
// positional arguments), std::nullopt when it goes on.
std::optional<int> parseCommandLine(QCommandLineParser& parser, const QString& command,
                                    const QString& synopsis, const QStringList& arguments, int minPositional,
                                    int maxPositional);

// QCommandLineParser's error text in Japanese (unknown option, missing or unexpected value).
// With the arguments, an unknown option that looks like a file name ("-dash.mojx") gets the
// hint to write it as "./-dash.mojx" or after "--".
QString japaneseParserError(const QString& error, const QStringList& arguments = {});
// Parses the arguments after the command name as every command does, and checks what Qt's
// parser lets through: an option of one value given twice ("--page 1 --page 2") and an
// empty value ("--font ''"), except for the options named in emptyAllowed. The message when
// the arguments are refused.
std::optional<QString> parseArguments(QCommandLineParser& parser, const QString& command,
                                      const QStringList& arguments, const QStringList& emptyAllowed = {});

// "jirakubo-cli COMMAND: message" on standard error; returns the exit status 1.

int failCommand(const QString& command, const QString& message);
// The end of a printing command: 1 and its message when the job failed; else 0, after
// "jirakubo-cli COMMAND: notice" on standard error when the job waits in a paused queue.
int finishPrint(const QString& command, const PrintOutcome& outcome);

// Where a printing command's job goes, the same in every command: -o FILE (a PDF file),
// --printer QUEUE (a queue of the print system, CUPS) or --default-printer, exactly one of
// them, and --trace FILE.
struct OutputOptions {
    QCommandLineOption output{{QStringLiteral("o"), QStringLiteral("output")},
                              QStringLiteral("The PDF file to write."),
                              QStringLiteral("OUT.pdf")};
    QCommandLineOption printer{
        QStringLiteral("printer"),
        QStringLiteral("Print on the printer queue QUEUE (CUPS) instead of writing a PDF."),
        QStringLiteral("QUEUE")};
    QCommandLineOption defaultPrinter{
        QStringLiteral("default-printer"),
        QStringLiteral("Print on the default printer instead of writing a PDF.")};
    QCommandLineOption trace{QStringLiteral("trace"),
                             QStringLiteral("Also write every drawing call as JSON Lines, in twips."),
                             QStringLiteral("FILE")};

    QList<QCommandLineOption> all() const { return {output, printer, defaultPrinter, trace}; }
    // The names of all(), for commands that check which options they take.
    static QStringList names();
    // The target the parsed options name; a message unless they name exactly one, or when
    // the PDF or the trace would replace one of the command's input files or each other.
    std::optional<QString> read(const QCommandLineParser& parser, PrintTarget& target,
                                const QStringList& inputs = {}) const;
};

// Reads the problem file `in` (inArg as the command line gave it) whole, for a command that
// writes a new file from it: nothing and the message when the reader refuses it or it holds
// more pages than a problem file can (nothing is written then). pageCount is the pages read.
std::unique_ptr<Workbook> readWholeProblemFile(const QString& in, const QString& inArg, QString* message);
