// "CSV書き出し" and "CSV読み込み": the workbook as a CSV file for a spreadsheet, and a CSV file
// (this program's own, or a dictation-sheet program's problem list) as a new workbook.
#include <QFileInfo>
#include <memory>

#include "core/data/atomic_file.h"
#include "core/data/workbook_csv.h"
#include "core/windows/main/main_window.h"

namespace {

// The name the CSV save box proposes: the workbook's own name with ".csv", or, for a
// workbook never saved, the name saving would propose (month, day, hour, minute).
QString proposedCsvName(const QString& workbookPath, const QString& currentDirectory, const QDateTime& now) {
    if (!workbookPath.isEmpty()) {
        const QFileInfo f(workbookPath);
        return f.absolutePath() + u'/' + f.completeBaseName() + QStringLiteral(".csv");
    }
    return currentDirectory + u'/' + QString::number(now.date().month()) + QString::number(now.date().day()) +
           QString::number(now.time().hour()) + QString::number(now.time().minute()) + QStringLiteral(".csv");
}

}  // namespace

void MainWindow::csvExportCommand() {
    // What saving would write: every registered page, the one on screen as the grid shows it.
    const QStringList lines = workbookLines();
    if (lines.isEmpty()) {
        platform_.messageBox(
            QStringLiteral("書き出すページがありません。\n見出しを登録してから書き出してください。"),
            kConfirmTitle, MessageButtons::Ok, MessageIcon::Information);
        return;
    }
    const std::optional<QString> chosen = platform_.showSave(
        workbookcsv::kCsvFilter, 1,
        proposedCsvName(wb_.currentFilePath, platform_.currentDirectory(), platform_.now()));
    if (!chosen) return;
    if (!chosen->endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)) {
        platform_.messageBox(
            QStringLiteral("%1 はCSVファイルの名前ではありません。\n名前の終わりを「.csv」にしてください。")
                .arg(*chosen),
            kErrorTitle, MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    if (!wb_.currentFilePath.isEmpty() && isSameFile(*chosen, wb_.currentFilePath)) {
        platform_.messageBox(
            QStringLiteral("%1 は開いている問題ファイルです。CSVは別の名前で書き出してください。")
                .arg(*chosen),
            kErrorTitle, MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    if (QFileInfo::exists(*chosen) &&
        platform_.messageBox(
            QStringLiteral("%1 は既にあります。上書きしますか？").arg(QFileInfo(*chosen).fileName()),
            kConfirmTitle, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes)
        return;
    QString message;
    if (!workbookcsv::writeCsvFile(*chosen, lines, &message))
        platform_.messageBox(message, kErrorTitle, MessageButtons::Ok, MessageIcon::Error);
}

void MainWindow::csvImportCommand() {
    if (!confirmUnsavedWork(QStringLiteral("変更が保存されていません。\nCSVを読み込む前に保存しますか？")))
        return;
    const std::optional<QString> path = platform_.showOpen(workbookcsv::kCsvFilter, 1, dialogFileName);
    if (!path) return;
    dialogFileName = *path;  // the next box starts in the same folder
    auto read = std::make_unique<Workbook>();
    const workbookcsv::CsvImport result = workbookcsv::readCsvFile(*path, *read);
    if (!result.ok()) {
        // Nothing was read: the window keeps the workbook it had.
        const QString rows = workbookcsv::rejectedRowsText(result);
        platform_.messageBox(result.error + (rows.isEmpty() ? QString() : QStringLiteral("\n\n") + rows),
                             kErrorTitle, MessageButtons::Ok, MessageIcon::Error);
        return;
    }

    // A new workbook that no file holds yet: its history starts empty, so the imported pages
    // are one step away from it (元に戻す「CSV読み込み」, unsaved until saved).
    enableWorkbookCommands();
    wb_.headingList.clear();
    wb_.currentFilePath.clear();
    wb_.pageCount = 0;
    openBlankPage(1, false);
    startHistory();
    for (int p = 0; p < read->pageCount; ++p) {
        wb_.page(p) = read->page(p);
        wb_.pageLines[static_cast<size_t>(p)] = read->pageLines[static_cast<size_t>(p)];
    }
    wb_.headingList = read->headingList;
    wb_.pageCount = read->pageCount;
    exitAsksAnyway = true;
    filePath = QStringLiteral("ファイル");
    if (fontName.isEmpty()) fontName = kDefaultFontName;
    combo1.backColor = kColorWhite;
    combo1.text = wb_.headingList.value(0);
    choosePage(0, false);
    memoryList.list1Enabled = true;
    entry.enabled = true;
    toolbar[kBlankPageButton].enabled = true;

    if (result.rejectedCount > 0)
        platform_.messageBox(workbookcsv::importSummary(result) + QStringLiteral("\n\n") +
                                 workbookcsv::rejectedRowsText(result),
                             kConfirmTitle, MessageButtons::Ok, MessageIcon::Warning);
}
