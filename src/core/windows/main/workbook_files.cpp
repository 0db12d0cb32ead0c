// The workbook's file as the main window handles it: 新規作成, 呼出 (also a file named on the
// command line), 保存 and 名前を付けて保存, the question before unsaved work is left, and
// the window title that shows the file and its unsaved mark.
#include <QDir>
#include <QFileInfo>

#include "core/data/atomic_file.h"
#include "core/data/problem_files.h"
#include "core/data/reading_proposer.h"
#include "core/data/settings.h"
#include "core/windows/main/command_dispatch.h"
#include "core/windows/main/commands.h"
#include "core/windows/main/main_window.h"
#include "core/windows/main/print_commands.h"
#include "core/windows/read_messages.h"

bool MainWindow::confirmUnsavedWork(const QString& question) {
    if (!hasUnsavedWork()) return true;
    switch (
        platform_.messageBox(question, kConfirmTitle, MessageButtons::YesNoCancel, MessageIcon::Warning)) {
    case MessageAnswer::Yes:
        if (!saveWorkbook()) return false;
        exitAsksAnyway = false;
        return true;
    case MessageAnswer::No: return true;
    default: return false;
    }
}

QString MainWindow::windowTitle() const {
    // No workbook yet (the title label still shows): the program's name alone.
    if (label12.visible && wb_.headingList.isEmpty() && wb_.currentFilePath.isEmpty()) return caption;
    // The workbook's own file: panel 1 reads "ファイル" again once the lookup panel is shown.
    const bool neverSaved = wb_.currentFilePath.isEmpty();
    const QString file = neverSaved ? QStringLiteral("無題") : QFileInfo(wb_.currentFilePath).fileName();
    // A workbook that was never saved exists nowhere else: it is unsaved from its start.
    const bool unsaved = neverSaved || hasUnsavedWork();
    return file + (unsaved ? QStringLiteral("*") : QString()) + QStringLiteral(" - ") + caption;
}

void MainWindow::openCommand(bool fromToolbar) {
    if (!confirmUnsavedWork(
            QStringLiteral("変更が保存されていません。\n別のファイルを開く前に保存しますか？")))
        return;
    // A refused file leaves the window as it was, commands and all.
    if (!openProblemFile()) return;
    if (fromToolbar) {
        toolbar[kBlankPageButton].enabled = true;
        entry.enabled = true;
    }
}

void MainWindow::newWorkbook(bool ask) {
    if (hasUnsavedWork()) {
        // Unsaved work: say so and offer to save it, whichever way the command came.
        if (!confirmUnsavedWork(
                QStringLiteral("変更が保存されていません。\n新規のデータを作成する前に保存しますか？")))
            return;
    } else if (ask && !wb_.headingList.isEmpty() &&
               platform_.messageBox(QStringLiteral("新規のデータを作成しますか？"),
                                    QStringLiteral("新規作成確認"), MessageButtons::YesNo,
                                    MessageIcon::Warning) != MessageAnswer::Yes)
        return;
    enableWorkbookCommands();
    wb_.headingList.clear();
    wb_.currentFilePath.clear();
    workbookLock_.unlock();
    fileStamp_ = {};
    openBlankPage(1);
    wb_.pageCount = 0;
    startHistory();
    filePath = QStringLiteral("ファイル");
    if (fontName.isEmpty()) fontName = kDefaultFontName;
}

bool MainWindow::openProblemFile() {
    // The grid keeps the page on screen until a file has really been read: a cancelled
    // dialog or an unreadable file must leave the workbook as it was.
    const std::optional<QString> path = platform_.showOpen(kOpenFilter, 1, dialogFileName);
    return openChosenFile(path);
}

void MainWindow::openFileFromCommandLine(const QString& path) {
    Action action(*this);
    if (openChosenFile(QFileInfo(path).absoluteFilePath())) {
        toolbar[kBlankPageButton].enabled = true;
        entry.enabled = true;
    }
}

bool MainWindow::openChosenFile(const std::optional<QString>& path) {
    Workbook read;
    ReadReport report;
    FileStamp stamp;
    if (path) {
        // The file as it is before it is read: a change made while it is read is a change.
        stamp = fileStampOf(*path);
        read.currentFilePath = *path;
        read.exampleFilePath = wb_.exampleFilePath;
        report = readProblemFileShowingNotices(read, platform_);
        // The next dialog starts where this one ended, also after a refused file.
        dialogFileName = *path;
        // The reader has said why; nothing else changes.
        if (!report.errorMessage.isEmpty() || report.fileNotFound) return false;
        // Open in another instance: the teacher decides (No leaves the window as it was).
        if (!takeWorkbookLock(*path)) return false;
        fileStamp_ = stamp;
    }
    enableWorkbookCommands();
    if (path) {
        wb_.headingList = read.headingList;
        for (int p = 0; p < report.pagesRead; ++p) {
            wb_.page(p) = read.page(p);
            wb_.pageLines[static_cast<size_t>(p)] = read.pageLines[static_cast<size_t>(p)];
        }
        if (report.examplesRead > 0) {
            wb_.exampleTable = read.exampleTable;
            wb_.exampleCount = read.exampleCount;
        }
        wb_.currentFilePath = *path;
        filePath = *path;
        setHeadingLabel(kNoHeading);
        for (int r = 1; r <= 10; ++r)
            for (int c = kColBefore; c <= kColAfter2; ++c) setCellText(r, c, QString());
        combo1.backColor = kColorWhite;
        wb_.pageCount = static_cast<int>(wb_.headingList.size());
        if (wb_.headingList.isEmpty()) {
            openBlankPage(1, false);
        } else {
            combo1.text = wb_.headingList.value(0);
            choosePage(0, false);
        }
        startHistory();
        memoryList.list1Enabled = true;  // an opened workbook has its headings
        return true;
    }
    if (wb_.headingList.isEmpty()) {
        openBlankPage(1, false);
        filePath = QStringLiteral("ファイル");
        if (fontName.isEmpty()) fontName = kDefaultFontName;
        combo1.backColor = kColorYellow;
    }
    return true;
}

bool MainWindow::takeWorkbookLock(const QString& path) {
    switch (workbookLock_.lock(path)) {
    case WorkbookLock::Result::Locked: return true;
    case WorkbookLock::Result::NotPossible:
        // A folder where no lock file can be made (read-only, a CD): opened without one.
        workbookLock_.unlock();
        return true;
    case WorkbookLock::Result::HeldByOther: break;
    }
    if (platform_.messageBox(workbookOpenElsewhereQuestion(path, workbookLock_.holder()), kConfirmTitle,
                             MessageButtons::YesNo, MessageIcon::Warning) != MessageAnswer::Yes)
        return false;
    // Opened all the same: the other instance keeps the lock; a save here asks first if the
    // file has changed on disk in the meantime.
    workbookLock_.unlock();
    return true;
}

namespace {

// The question before saving over the workbook's own file, changed on disk since it was
// opened or last saved here.
QString changedOnDiskQuestion(const QString& path, const FileStamp& now) {
    return QStringLiteral(
               "%1 は、開いた後（または前回保存した後）に、ほかの字楽坊かほかのプログラムで変更されています"
               "（変更日時 %2）。\n"
               "上書きすると、その変更は失われます（控えの %3 に、次の保存までは残ります）。\n\n"
               "別の名前で保存: この内容を別のファイルに保存します（%1 はそのまま）。\n"
               "上書き保存: ほかでの変更を捨てて、この内容で上書きします。\n"
               "キャンセル: 保存しません。")
        .arg(path, now.modified().toString(QStringLiteral("yyyy年M月d日 H:mm:ss")), backupPathFor(path));
}

}  // namespace

std::optional<QString> MainWindow::confirmSaveTarget(QString chosen) {
    for (;;) {
        dialogFileName = chosen;
        // Workbooks are saved as .mojx only: a .moj file (the older program's format, read
        // only) or any other ending would hold the .mojx layout under a name that promises
        // another, and read back shifted.
        if (!chosen.endsWith(QLatin1String(".mojx"))) {
            const QString mojx = replaceProblemExtension(chosen, QStringLiteral(".mojx"));
            if (platform_.messageBox(QStringLiteral("問題ファイルは .mojx の形式で保存します（.moj "
                                                    "は前の字楽坊の形式で、読み込むだけです）。\n"
                                                    "%1 ではなく、%2 に保存しますか？")
                                         .arg(chosen, mojx),
                                     kConfirmTitle, MessageButtons::YesNo,
                                     MessageIcon::Question) != MessageAnswer::Yes)
                return std::nullopt;
            chosen = mojx;
            dialogFileName = chosen;
        }
        const FileStamp now = fileStampOf(chosen);
        if (!now.exists) return chosen;
        const bool ownFile = !wb_.currentFilePath.isEmpty() && isSameFile(chosen, wb_.currentFilePath);
        if (ownFile && fileStamp_.exists && now != fileStamp_) {
            switch (platform_.messageBox(changedOnDiskQuestion(chosen, now), kConfirmTitle,
                                         MessageButtons::SaveAsOverwriteCancel, MessageIcon::Warning)) {
            case MessageAnswer::No: return chosen;  // overwrite: asked already
            case MessageAnswer::Yes: {
                const QString other = replaceProblemExtension(chosen, QStringLiteral(" - コピー.mojx"));
                const std::optional<QString> again = platform_.showSave(kSaveFilter, 1, other);
                if (!again) return std::nullopt;
                chosen = *again;
                continue;
            }
            default: return std::nullopt;
            }
        }
        LockHolder holder;
        QString question = QStringLiteral("上書き保存します。よろしいですか？");
        if (!ownFile && WorkbookLock::heldByOther(chosen, &holder))
            question = QStringLiteral(
                           "%1 は、ほかの字楽坊で開かれています（プロセス番号 %2）。\n"
                           "上書きすると、そちらで保存したときに、この内容が失われます。\n")
                           .arg(chosen)
                           .arg(holder.pid) +
                       question;
        if (platform_.messageBox(question, kConfirmTitle, MessageButtons::YesNo, MessageIcon::Question) ==
            MessageAnswer::No)
            return std::nullopt;
        return chosen;
    }
}

bool MainWindow::saveWorkbook() {
    const QString proposed =
        proposedSaveName(filePath, dialogFileName, platform_.currentDirectory(), platform_.now());
    const std::optional<QString> dialogChoice = platform_.showSave(kSaveFilter, 1, proposed);
    if (!dialogChoice) return false;
    const std::optional<QString> chosen = confirmSaveTarget(*dialogChoice);
    if (!chosen) return false;
    wb_.pageCount = static_cast<int>(wb_.headingList.size());
    const bool exists = QFileInfo::exists(*chosen);
    storeGrid();
    QString message;
    if (!writeProblemFile(*chosen, wb_, exists, &message)) {
        platform_.messageBox(message, kErrorTitle, MessageButtons::Ok, MessageIcon::Error);
        exitAsksAnyway = true;  // nothing reached the disk
        return false;
    }
    filePath = *chosen;
    wb_.currentFilePath = *chosen;
    fileStamp_ = fileStampOf(*chosen);
    // The file saved is the one this window has open now.
    if (workbookLock_.lock(*chosen) != WorkbookLock::Result::Locked) workbookLock_.unlock();
    markWorkSaved();
    return true;
}

void MainWindow::saveFromToolbar() {
    if (command2.visible && combo1.backColor == kColorYellow) {
        if (platform_.messageBox(QStringLiteral("見出しが登録されていません\nこのまま保存しますか？"),
                                 kConfirmTitle, MessageButtons::YesNo,
                                 MessageIcon::Information) == MessageAnswer::No)
            return;
        combo1.backColor = kColorWhite;
        combo1.text = QStringLiteral("無題");
    }
    const bool saved = saveWorkbook();
    setMenuEnabled(QStringLiteral("of"), true);
    toolbar[kNewButton].enabled = true;
    toolbar[kBlankPageButton].enabled = true;
    // Only a save that reached the disk clears the flag the exit question looks at.
    if (saved) exitAsksAnyway = false;
}

void MainWindow::saveFromMenu() {
    saveWorkbook();
    setMenuEnabled(QStringLiteral("of"), true);
    toolbar[kBlankPageButton].enabled = true;
    toolbar[kSaveButton].enabled = true;
    exitAsksAnyway = true;
}
