#include "cli/list_command.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

#include "cli/cli_common.h"
#include "core/data/reading_dictionary.h"
#include "core/data/settings.h"
#include "core/platform.h"
#include "core/printing/character_list.h"
#include "core/printing/job_title.h"
#include "core/printing/print_surface.h"

namespace {

int fail(const QString& message) {
    return failCommand(QStringLiteral("list"), message);
}

const QStringList kCompanies{QStringLiteral("東京書籍"), QStringLiteral("三省堂"), QStringLiteral("教育出版"),
                             QStringLiteral("学校図書"), QStringLiteral("光村図書")};

}  // namespace

int runListCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The grade table (漢字一覧表) of a school grade, as a PDF file or on a printer."));
    parser.addPositionalArgument(QStringLiteral("GRADE"), QStringLiteral("the school grade, 1 to 6"));
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Shows this help."));
    const OutputOptions out;
    const QCommandLineOption company(
        QStringLiteral("company"),
        QStringLiteral("The textbook company: %1 (default: none).").arg(kCompanies.join(u", ")),
        QStringLiteral("NAME"));
    const QCommandLineOption font(QStringLiteral("font"),
                                  QStringLiteral("The status-bar font; \"@NAME\" gives the portrait layout."),
                                  QStringLiteral("NAME"));
    parser.addOption(helpOption);
    parser.addOptions(out.all());
    parser.addOptions({company, font});

    if (const auto error = parseArguments(parser, QStringLiteral("list"), arguments)) return fail(*error);
    if (parser.isSet(helpOption)) {
        // The usage line names the command, not the program file.
        QString help = parser.helpText();
        help.replace(0, help.indexOf(QLatin1String(" [options]")),
                     QStringLiteral("Usage: jirakubo-cli list"));
        std::fputs(qPrintable(help), stdout);
        return 0;
    }
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return fail(QStringLiteral("内部エラー: QGuiApplication がありません"));
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) return fail(QStringLiteral("学年を一つ（1〜6）指定してください"));
    const int grade = parseWholeNumber(positional[0], 1, 6).value_or(0);
    if (grade == 0)
        return fail(
            QStringLiteral("「%1」は学年ではありません。1〜6の学年を指定してください").arg(positional[0]));
    const QString companyName = parser.isSet(company) ? parser.value(company) : kNoCompany;
    if (companyName != kNoCompany && !kCompanies.contains(companyName))
        return fail(QStringLiteral("「%1」という教科書会社はありません（%2）")
                        .arg(companyName, kCompanies.join(u", ")));
    PrintTarget target;
    if (const auto error = out.read(parser, target, {dictionaryPath(programDataDirectory(), companyName)}))
        return fail(*error);

    // What the grade button does: reload the company's dictionary, list the grade.
    ReadingDictionary dictionary;  // the dictionaries lie with the program's other data
    if (const auto notice = loadReadingDictionary(dictionary, companyName, programDataDirectory()))
        return fail(notice->text);
    dictionary.queryByGrade(grade);
    if (dictionary.result.count == 0)
        return fail(QStringLiteral("%1 には%2年の漢字がありません")
                        .arg(dictionaryPath(programDataDirectory(), companyName))
                        .arg(grade));
    const QStringList lines = gradeTableLines(dictionary.result);

    const PrintOutcome outcome = printToTarget(target, gradeTableJobTitle(grade), [&](PrintSurface& s) {
        drawCharacterList(s, lines, parser.value(font), {});
        s.endDocument();
    });
    return finishPrint(QStringLiteral("list"), outcome);
}
