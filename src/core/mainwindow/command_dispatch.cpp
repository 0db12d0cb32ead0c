// From each toolbar button and menu item to the command it runs, and the commands that
// belong to the main window itself: new, blank page, open, save, fonts, limits.
#include "mainwindow/command_dispatch.h"

#include "data/problem_files.h"
#include "data/settings.h"
#include "mainwindow/main_window.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QStringList kLimitItems{QStringLiteral("lon10"), QStringLiteral("lon14"), QStringLiteral("lon17")};
}

QString fullWidthDigits(int n) {
    QString s = QString::number(n);
    for (QChar& c : s)
        if (c.isDigit()) c = QChar(0xFF10 + c.digitValue());
    return s;
}

QString editingStatusCaption(int limit) {
    return QStringLiteral("　編集中（文字制限") + fullWidthDigits(limit) + QStringLiteral("字）");
}

void MainWindow::onToolbarClick(int index) {
    if (index < 1 || index > 27) return;
    const ToolButton& b = toolbar[static_cast<size_t>(index)];
    if (b.separator || !b.enabled || !b.visible) return;
    switch (index) {
    case 1:
        enableWorkbookCommands();
        openProblemFile();
        toolbar[3].enabled = true;
        entry.enabled = true;
        break;
    case 2: newWorkbook(true); break;
    case 3: blankPage(true); break;
    case 4: saveFromToolbar(); break;
    case 6: case 7: case 8: case 9: case 10:
        if (printHook) printHook(index, true); else notAvailable(b.tooltip);
        break;
    case 12:
        panels[1] = QStringLiteral("ファイル");
        notAvailable(QStringLiteral("単漢字表示"));
        break;
    case 13: notAvailable(QStringLiteral("原稿用紙")); break;
    case 15: fontCommand(0); break;
    case 17: notAvailable(QStringLiteral("表示項目全削除")); break;
    case 19: notAvailable(QStringLiteral("ヘルプ")); break;
    case 21: exitCommand(); break;
    case 23: notAvailable(QStringLiteral("一覧表印刷")); break;
    case 24: notAvailable(QStringLiteral("漢字練習帳")); break;
    case 25: openCompanyWindow(); break;
    case 27: notAvailable(QStringLiteral("文章の流し込み")); break;
    default: break;
    }
    if (changed) changed();
}

void MainWindow::onMenu(const QString& name) {
    const MenuItem* m = menu(name);
    if (!m || m->separator || !m->enabled) return;
    static const QHash<QString, int> printItems{{QStringLiteral("p1"), 6}, {QStringLiteral("p2"), 7},
                                               {QStringLiteral("p3"), 8}, {QStringLiteral("tap"), 9},
                                               {QStringLiteral("p4"), 10}};
    if (printItems.contains(name)) {
        if (printHook) printHook(printItems.value(name), false); else notAvailable(m->caption);
    } else if (name == u"of") {
        enableWorkbookCommands();
        openProblemFile();
    } else if (name == u"np") {
        newWorkbook(false);
    } else if (name == u"newD") {
        blankPage(false);
    } else if (name == u"sa") {
        saveFromMenu();
    } else if (name == u"en") {
        exitCommand();
    } else if (name == u"ptwo") {
        setChecked(name, !checked(name));
        toolbar[8].picture = checked(name) ? 30 : 6;
    } else if (name == u"kta" || name == u"ktn") {
        checkOne({QStringLiteral("kta"), QStringLiteral("ktn")}, name);
    } else if (name == u"rnzkn") {
        checkOne({QStringLiteral("rnzkn"), QStringLiteral("rnzky")}, name);
        label18.caption.clear();
    } else if (name == u"rnzky") {
        checkOne({QStringLiteral("rnzkn"), QStringLiteral("rnzky")}, name);
        openTracingColorWindow();
    } else if (name == u"pn" || name == u"psp") {
        checkOne({QStringLiteral("pn"), QStringLiteral("psp")}, name);
        if (name == u"psp") {
            readingSpacing = 15.0 / 35.0;
            label11.caption = editingStatusCaption(22);
        } else {
            readingSpacing = 20.0 / 35.0;
            label11.caption = editingStatusCaption(characterLimit);
        }
        alarmCheck();
    } else if (name == u"pvw") {
        // Print commands show a preview first; the sheet is printed from the preview.
        previewBeforePrint = !previewBeforePrint;
        setChecked(name, previewBeforePrint);
    } else if (name == u"asel") {
        combo1.backColor = kColorGreen;
    } else if (name == u"rsel") {
        combo1.backColor = kColorWhite;
    } else if (name == u"nf") {
        fontCommand(1);
    } else if (name == u"tf") {
        fontCommand(2);
    } else if (name == u"hck") {
        checkOne({QStringLiteral("hck"), QStringLiteral("sck"), QStringLiteral("dd")}, name);
        setCursorKeyType(CursorKeyType::Hard);
    } else if (name == u"sck") {
        checkOne({QStringLiteral("hck"), QStringLiteral("sck"), QStringLiteral("dd")}, name);
        setCursorKeyType(CursorKeyType::Soft);
    } else if (name == u"dd") {
        checkOne({QStringLiteral("hck"), QStringLiteral("sck"), QStringLiteral("dd")}, name);
        setCursorKeyType(CursorKeyType::DownOnly);
    } else if (name == u"upri") {
        checkOne({QStringLiteral("upri"), QStringLiteral("pst")}, name);
        printerDialogEachTime = true;
    } else if (name == u"pst") {
        checkOne({QStringLiteral("upri"), QStringLiteral("pst")}, name);
        printerDialogEachTime = false;
        if (printerSetupHook) printerSetupHook(); else platform_.showPrinter(true);
    } else if (name == u"yp" || name == u"nop") {
        checkOne({QStringLiteral("yp"), QStringLiteral("nop")}, name);
    } else if (name == u"hd") {
        eraseReadings();
    } else if (kLimitItems.contains(name)) {
        setCharacterLimit(name == u"lon10" ? 10 : name == u"lon14" ? 15 : 17);
    } else if (name == u"ws") {
        platform_.openUrl(QString::fromLatin1(kMakerWebSite));
    } else if (name == u"ght" || name == u"ghf" || name == u"hth" || name == u"gen" ||
               name == u"yokokei" || name == u"adj" || name == u"fc" || name == u"fch" ||
               name == u"hwt" || name == u"hpo") {
        notAvailable(m->caption);
    }
    if (changed) changed();
}

void MainWindow::onNumberLabelClick(int) {
    notAvailable(QStringLiteral("削除して記憶"));
    if (changed) changed();
}

void MainWindow::newWorkbook(bool ask) {
    if (ask && !wb_.headingList.isEmpty() &&
        platform_.messageBox(QStringLiteral("新規のデータを作成しますか？"), QStringLiteral("新規作成確認"),
                             MessageButtons::YesNo, MessageIcon::Warning) != MessageAnswer::Yes)
        return;
    enableWorkbookCommands();
    wb_.headingList.clear();
    openBlankPage(1);
    panels[1] = QStringLiteral("ファイル");
    if (panels[2].isEmpty()) panels[2] = kDefaultFontName;
}

void MainWindow::blankPage(bool fromToolbar) {
    enableWorkbookCommands();
    const int n = static_cast<int>(wb_.headingList.size());
    if (n > 0) {
        if (!wb_.hasRoomForPage()) {
            platform_.messageBox(QStringLiteral("ページは%1ページまでです。これ以上ページを追加できません。").arg(kMaxPages),
                                 kConfirmTitle, MessageButtons::Ok, MessageIcon::Warning);
            return;
        }
        openBlankPage(n + 1);
    } else {
        openBlankPage(1);
        if (fromToolbar) {
            panels[1] = QStringLiteral("ファイル");
            if (panels[2].isEmpty()) panels[2] = kDefaultFontName;
        }
    }
}

void MainWindow::openProblemFile() {
    // The grid keeps the page on screen until a file has really been read: a cancelled
    // dialog or an unreadable file must leave the workbook as it was.
    const std::optional<QString> path = platform_.showOpen(kOpenFilter, 1, dialogFileName);
    openChosenFile(path);
}

void MainWindow::openFileFromCommandLine(const QString& path) {
    enableWorkbookCommands();
    openChosenFile(QFileInfo(path).absoluteFilePath());
    toolbar[3].enabled = true;
    entry.enabled = true;
    if (changed) changed();
}

void MainWindow::openChosenFile(const std::optional<QString>& path) {
    bool loaded = false;
    if (path) {
        Workbook read;
        read.currentFilePath = *path;
        read.exampleFilePath = wb_.exampleFilePath;
        const ReadReport report = readProblemFile(read, platform_);
        dialogFileName = *path;
        if (report.errorMessage.isEmpty() && !report.fileNotFound) {
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
            panels[1] = *path;
            loaded = true;
        }
    }
    if (loaded) {
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
        return;
    }
    if (!path && wb_.headingList.isEmpty()) {
        openBlankPage(1, false);
        panels[1] = QStringLiteral("ファイル");
        if (panels[2].isEmpty()) panels[2] = kDefaultFontName;
        combo1.backColor = kColorYellow;
    }
}

bool MainWindow::saveWorkbook() {
    const QString proposed = proposedSaveName(panels[1], dialogFileName, platform_.currentDirectory(),
                                              platform_.now());
    const std::optional<QString> chosen = platform_.showSave(kSaveFilter, 1, proposed);
    if (!chosen) return false;
    dialogFileName = *chosen;
    wb_.pageCount = static_cast<int>(wb_.headingList.size());
    const bool exists = QFileInfo::exists(*chosen);
    if (exists && platform_.messageBox(QStringLiteral("上書き保存します。よろしいですか？"), kConfirmTitle,
                                       MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::No)
        return false;
    storeGrid();
    QStringList lines;
    for (int p = 0; p < wb_.pageCount && p < kMaxPages; ++p) lines << wb_.pageLines[static_cast<size_t>(p)];
    QString message;
    // Nothing on disk changes unless every text can be written.
    if (!unencodableInLines(lines).isEmpty()) {
        writeCp932Lines(*chosen, lines, &message);  // writes nothing, words the message
        platform_.messageBox(message, kErrorTitle, MessageButtons::Ok, MessageIcon::Error);
        wb_.unsavedChanges = true;  // nothing reached the disk
        return false;
    }
    if (exists && !writeBackup(*chosen, *chosen, &message)) {
        platform_.messageBox(message, kErrorTitle, MessageButtons::Ok, MessageIcon::Error);
        wb_.unsavedChanges = true;  // nothing reached the disk
        return false;
    }
    if (!writeCp932Lines(*chosen, lines, &message)) {
        platform_.messageBox(message, kErrorTitle, MessageButtons::Ok, MessageIcon::Error);
        wb_.unsavedChanges = true;  // nothing reached the disk
        return false;
    }
    panels[1] = *chosen;
    return true;
}

void MainWindow::saveFromToolbar() {
    if (command2.visible && combo1.backColor == kColorYellow) {
        if (platform_.messageBox(QStringLiteral("見出しが登録されていません\nこのまま保存しますか？"), kConfirmTitle,
                                 MessageButtons::YesNo, MessageIcon::Information) == MessageAnswer::No)
            return;
        combo1.backColor = kColorWhite;
        combo1.text = QStringLiteral("無題");
    }
    const bool saved = saveWorkbook();
    setMenuEnabled(QStringLiteral("of"), true);
    toolbar[2].enabled = true;
    toolbar[3].enabled = true;
    // Only a save that reached the disk clears the flag the exit question looks at.
    if (saved) wb_.unsavedChanges = false;
}

void MainWindow::saveFromMenu() {
    saveWorkbook();
    setMenuEnabled(QStringLiteral("of"), true);
    toolbar[3].enabled = true;
    toolbar[4].enabled = true;
    wb_.unsavedChanges = true;
}

void MainWindow::fontCommand(int which) {
    FontChoice initial = lastFontDialog;
    if (which == 0) initial = FontChoice{panels[2], 25, lastFontDialog.bold, lastFontDialog.italic};
    if (which == 1) checkOne({QStringLiteral("nf"), QStringLiteral("tf")}, QStringLiteral("nf"));
    if (which == 2) checkOne({QStringLiteral("nf"), QStringLiteral("tf")}, QStringLiteral("tf"));
    const std::optional<FontChoice> chosen = platform_.showFont(initial);
    if (!chosen) return;
    lastFontDialog = *chosen;
    problemFontSize = qRound(chosen->size);
    panels[2] = chosen->name;
    panels[3] = QStringLiteral("フォントサイズ") + QString::number(problemFontSize);
    if (which != 2) writeSettingsFile(false);
}

void MainWindow::setCharacterLimit(int limit) {
    characterLimit = limit;
    checkOne(kLimitItems, limit == 10 ? QStringLiteral("lon10") : limit == 15 ? QStringLiteral("lon14")
                                                                              : QStringLiteral("lon17"));
    label11.caption = editingStatusCaption(limit);
    if (checked(QStringLiteral("psp"))) {
        checkOne({QStringLiteral("pn"), QStringLiteral("psp")}, QStringLiteral("pn"));
        // "普通" is checked again, so the spacing goes back with it.
        readingSpacing = 20.0 / 35.0;
    }
    alarmCheck();
}
