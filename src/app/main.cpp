// jirakubo: the desktop program.
#include <QApplication>
#include <QFile>
#include <QStringList>

#include "core/data/workbook.h"
#include "core/message_titles.h"
#include "core/windows/main/main_window.h"
#include "platform/font_chooser.h"
#include "platform/main_window_view.h"
#include "platform/qt_platform.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("jirakubo"));
    QApplication::setApplicationDisplayName(kProgramName);
    installWindowsFontSubstitutions();
    // The file, print, page-setup and preview dialogs speak Japanese like the rest.
    installJapaneseTranslations(app);

    QtPlatform platform;
    Workbook workbook;
    MainWindow model(platform, workbook);
    MainWindowView view(model, platform);
    // Start-up and the file named on the command line come in by the one door, as every event.
    model.handle([&] { model.startUp(); });
    view.show();

    // A problem file named on the command line opens as "呼出" would.
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i].startsWith(u'-')) continue;
        model.handle([&] { model.openFileFromCommandLine(args[i]); });
        break;
    }
    const int rc = QApplication::exec();

    // For end-to-end tests: with JIRAKUBO_DUMP_ON_EXIT=FILE the texts the window ends with are
    // written to FILE (UTF-8), one "Label3(1)=漢字" line per non-empty cell, heading first, then
    // the lookup panel's search text and cells ("Label101(0)=雨").
    if (const QString dump = qEnvironmentVariable("JIRAKUBO_DUMP_ON_EXIT"); !dump.isEmpty()) {
        static const char* const names[9] = {"",       "",        "Label2",  "Label3", "Label4",
                                             "Label5", "Label33", "Label44", "Label55"};
        QStringList lines{QStringLiteral("Label9=") + model.label9.caption};
        for (int r = 1; r <= 10; ++r)
            for (int c = kColBefore; c <= kColAfter2; ++c)
                if (const QString& t = model.grid.at(r).cell(c).text; !t.isEmpty())
                    lines << QStringLiteral("%1(%2)=%3").arg(QLatin1String(names[c])).arg(r).arg(t);
        // The lookup panel: its search box and its non-empty cells.
        if (!model.lookupPanel.text2.isEmpty()) lines << QStringLiteral("Text2=") + model.lookupPanel.text2;
        for (int k = 0; k < kLookupCells; ++k)
            if (const QString& t = model.lookupPanel.label101[static_cast<size_t>(k)].caption; !t.isEmpty())
                lines << QStringLiteral("Label101(%1)=%2").arg(k).arg(t);
        QFile f(dump);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write((lines.join(u'\n') + u'\n').toUtf8());
    }
    return rc;
}
