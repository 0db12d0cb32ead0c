#include "cli/book_command.h"

#include <QCommandLineParser>
#include <QFontDatabase>
#include <QGuiApplication>
#include <cstdio>

#include "cli/cli_common.h"
#include "core/data/reading_dictionary.h"
#include "core/data/settings.h"
#include "core/printing/job_title.h"
#include "core/printing/practice_book.h"
#include "core/printing/print_surface.h"

namespace {

int fail(const QString& message) {
    return failCommand(QStringLiteral("book"), message);
}

}  // namespace

int runBookCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The kanji practice book (漢字練習帳) of one character, as a PDF file or on a printer."));
    parser.addPositionalArgument(QStringLiteral("KANJI"), QStringLiteral("the character to practise"));
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Shows this help."));
    const OutputOptions out;
    const QCommandLineOption font(QStringLiteral("font"),
                                  QStringLiteral("The status-bar font; \"@NAME\" gives the landscape sheet."),
                                  QStringLiteral("NAME"));
    const QCommandLineOption strokeOrder(QStringLiteral("stroke-order"),
                                         QStringLiteral("The model in the KanjiStrokeOrders face (書き順)."));
    parser.addOption(helpOption);
    parser.addOptions(out.all());
    parser.addOptions({font, strokeOrder});

    if (const auto error = parseArguments(parser, QStringLiteral("book"), arguments)) return fail(*error);
    if (parser.isSet(helpOption)) {
        // The usage line names the command, not the program file.
        QString help = parser.helpText();
        help.replace(0, help.indexOf(QLatin1String(" [options]")),
                     QStringLiteral("Usage: jirakubo-cli book"));
        std::fputs(qPrintable(help), stdout);
        return 0;
    }
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return fail(QStringLiteral("内部エラー: QGuiApplication がありません"));
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) return fail(QStringLiteral("練習する漢字を一字だけ指定してください"));
    const QString kanji = positional[0];
    if (kanji.toUcs4().size() != 1)
        return fail(
            QStringLiteral("「%1」は一字ではありません。練習する漢字を一字だけ指定してください").arg(kanji));
    // The practice book is made for a kanji of the lookup panel: one the dictionary lists.
    // The dictionaries lie with the program's other data.
    const QString dictionaryFile = dictionaryPath(programDataDirectory(), kNoCompany);
    PrintTarget target;
    if (const auto error = out.read(parser, target, {dictionaryFile})) return fail(*error);
    ReadingDictionary dictionary;
    if (const auto notice = loadReadingDictionary(dictionary, kNoCompany, programDataDirectory()))
        return fail(notice->text);
    bool listed = false;
    for (int r = 1; r <= dictionary.table.count && !listed; ++r)
        listed = dictionary.table.row(r)[kKanjiField] == kanji;
    if (!listed)
        return fail(QStringLiteral("「%1」は辞書 %2 にない字です。1〜6年の漢字を一字指定してください"
                                   "（jirakubo-cli list 学年 で一覧を印刷できます）")
                        .arg(kanji, dictionaryFile));

    PracticeBookInput in;
    in.selectedCell = kanji;
    in.statusFontName = parser.value(font);
    if (parser.isSet(strokeOrder)) {
        in.strokeOrder = QFontDatabase::hasFamily(kStrokeOrderFace);
        if (!in.strokeOrder)
            std::fprintf(
                stderr,
                "jirakubo-cli book: 書き順の字体 %s がインストールされていません（Debian のパッケージ "
                "fonts-kanjistrokeorders）。手本はうすい灰色で印刷します\n",
                qPrintable(kStrokeOrderFace));
    }
    const PrintOutcome outcome = printToTarget(target, practiceBookJobTitle(kanji), [&](PrintSurface& s) {
        drawPracticeBook(s, in);
        s.endDocument();
    });
    return finishPrint(QStringLiteral("book"), outcome);
}
