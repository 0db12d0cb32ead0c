// jirakubo: the desktop program.
#include "data/workbook.h"
#include "font_chooser.h"
#include "main_window_view.h"
#include "mainwindow/main_window.h"
#include "qt_platform.h"

#include <QApplication>
#include <QStringList>

#if __has_include("printing/print_jobs.h")
#include "printing/print_jobs.h"
#define JIRAKUBO_HAVE_PRINT_JOBS 1
#endif

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("jirakubo"));
    QApplication::setApplicationDisplayName(QStringLiteral("2011字楽坊"));
    installWindowsFontSubstitutions();

    QtPlatform platform;
    Workbook workbook;
    MainWindow model(platform, workbook);
#ifdef JIRAKUBO_HAVE_PRINT_JOBS
    installPrintCommands(model);
#endif
    MainWindowView view(model, platform);
    model.startUp();
    view.show();
    view.refresh();

    // A problem file named on the command line opens as "呼出" would.
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i].startsWith(u'-')) continue;
        model.openFileFromCommandLine(args[i]);
        break;
    }
    return QApplication::exec();
}
