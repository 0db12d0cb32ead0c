// The main window's menu commands that set how it works rather than what the workbook holds:
// print mode and spacing, the fixed printer, ふりがな自動, fonts, the character limit, the
// maker's web site.
#include <QDir>
#include <QFileInfo>

#include "core/data/problem_files.h"
#include "core/data/reading_proposer.h"
#include "core/data/settings.h"
#include "core/windows/main/command_dispatch.h"
#include "core/windows/main/commands.h"
#include "core/windows/main/main_window.h"
#include "core/windows/main/print_commands.h"

void MainWindow::setReadingSpacing(bool narrow) {
    if (narrow) {
        readingSpacing = 15.0 / 35.0;
        label11.caption = editingStatusCaption(22);
    } else {
        readingSpacing = 20.0 / 35.0;
        label11.caption = editingStatusCaption(characterLimit);
    }
    alarmCheck();
}

void MainWindow::fixPrinterCommand() {
    // A cancelled printer dialog leaves the mode as it was.
    if (!platform_.showPrinter(true, QString())) {
        checkItem(printerDialogEachTime ? QStringLiteral("upri") : QStringLiteral("pst"));
        return;
    }
    printerDialogEachTime = false;
}

void MainWindow::autoReadingCommand() {
    if (!checked(QStringLiteral("yauto"))) return;
    const ReadingProposer& proposer = ReadingProposer::shared();
    if (!proposer.isAvailable()) {
        setChecked(QStringLiteral("yauto"), false);
        platform_.messageBox(proposer.unavailableMessage(), kErrorTitle, MessageButtons::Ok,
                             MessageIcon::Error);
        return;
    }
    // Turned on, it proposes for the words of the page on screen that have no reading yet.
    if (!entry.enabled) return;
    for (int r = 1; r <= 10; ++r) proposeMissingReadings(r);
    const GridCell& underCursor = grid.at(grid.row).cell(grid.col);
    if (grid.col == kColReading || grid.col == kColReading2) entry.text = underCursor.text;
}

void MainWindow::openWebSite() {
    platform_.openUrl(QString::fromLatin1(kMakerWebSite));
}

void MainWindow::fontCommand(int which) {
    FontChoice initial = lastFontDialog;
    if (which == 0) initial = FontChoice{fontName, 25, lastFontDialog.bold, lastFontDialog.italic};
    const std::optional<FontChoice> chosen = platform_.showFont(initial);
    if (!chosen) return;
    lastFontDialog = *chosen;
    problemFontSize = qRound(chosen->size);
    fontName = chosen->name;
    if (which != 2) writeSettingsFile(false);
}

void MainWindow::setCharacterLimit(int limit) {
    characterLimit = limit;
    checkItem(limit == 10   ? QStringLiteral("lon10")
              : limit == 15 ? QStringLiteral("lon14")
                            : QStringLiteral("lon17"));
    label11.caption = editingStatusCaption(limit);
    if (checked(QStringLiteral("psp"))) {
        checkItem(QStringLiteral("pn"));
        // "普通" is checked again, so the spacing goes back with it.
        readingSpacing = 20.0 / 35.0;
    }
    alarmCheck();
}
