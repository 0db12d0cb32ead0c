#include "core/windows/main/commands.h"

#include <QStringList>
#include <array>

#include "core/printing/print_jobs.h"
#include "core/windows/main/main_window.h"

namespace {

using W = MainWindow;

// Print commands: toolbar buttons 6..10 and their menu items.
template <SheetKind Kind, bool FromToolbar>
void print(W& w) {
    w.printCommand(Kind, FromToolbar);
}

// The main window's menu tree in order, then its toolbar buttons by index.
const Command kCommands[] = {
    // clang-format off
    {.id = "fa", .caption = "ファイル", .accessKey = 'F'},
    {.id = "of", .caption = "呼出", .parent = "fa", .shortcut = "Ctrl+O",
     .accessKey = 'O', .handler = [](W& w) { w.openCommand(false); }},
    {.id = "k9", .caption = "-", .parent = "fa"},
    {.id = "np", .caption = "新規作成", .parent = "fa", .shortcut = "Ctrl+N",
     .accessKey = 'N', .handler = [](W& w) { w.newWorkbook(false); }},
    {.id = "newD", .caption = "白紙ページ追加", .parent = "fa", .accessKey = 'B', .handler = [](W& w) { w.blankPage(false); }},
    {.id = "k5", .caption = "-", .parent = "fa"},
    {.id = "sa", .caption = "保存", .parent = "fa", .needsWorkbook = true, .shortcut = "Ctrl+S",
     .accessKey = 'S', .handler = [](W& w) { w.saveFromMenu(); }},
    // CSV for spreadsheets and for the problem lists of dictation-sheet programs (csv_commands.cpp).
    {.id = "csvsep", .caption = "-", .parent = "fa"},
    {.id = "csvw", .caption = "CSV書き出し", .parent = "fa", .needsWorkbook = true, .accessKey = 'E', .handler = [](W& w) { w.csvExportCommand(); }},
    {.id = "csvr", .caption = "CSV読み込み", .parent = "fa", .accessKey = 'I', .handler = [](W& w) { w.csvImportCommand(); }},
    {.id = "k1", .caption = "-", .parent = "fa"},
    {.id = "p1", .caption = "印刷‐書き方", .parent = "fa", .needsWorkbook = true, .shortcut = "Ctrl+P",
     .accessKey = 'K', .handler = print<SheetKind::Dictation, false>},
    {.id = "p2", .caption = "印刷‐練習", .parent = "fa", .needsWorkbook = true, .accessKey = 'R', .handler = print<SheetKind::Tracing, false>},
    {.id = "p3", .caption = "印刷‐読み方", .parent = "fa", .needsWorkbook = true, .accessKey = 'Y', .handler = print<SheetKind::Reading, false>},
    {.id = "tap", .caption = "３票一括印刷", .parent = "fa", .needsWorkbook = true, .accessKey = '3', .handler = print<SheetKind::ThreeSheets, false>},
    {.id = "p4", .caption = "印刷-文作り", .parent = "fa", .needsWorkbook = true, .accessKey = 'Z', .handler = print<SheetKind::Sentence, false>},
    {.id = "k3", .caption = "-", .parent = "fa"},
    // Enabled while a grade list is shown.
    {.id = "hth", .caption = "学年配当表印刷", .parent = "fa", .enabled = false,
     .accessKey = 'G', .handler = [](W& w) { w.printGradeTable(); }},
    {.id = "k4", .caption = "-", .parent = "fa"},
    {.id = "en", .caption = "終了", .parent = "fa", .shortcut = "Ctrl+Q", .accessKey = 'X', .handler = [](W& w) { w.exitCommand(); }},

    {.id = "edit", .caption = "編集", .accessKey = 'E'},
    // The captions name what will be undone or redone (元に戻す「流し込み」).
    {.id = "undo", .caption = "元に戻す", .parent = "edit", .enabled = false, .shortcut = "Ctrl+Z", .accessKey = 'U',
     .handler = [](W& w) { w.undoCommand(); }},
    {.id = "redo", .caption = "やり直し", .parent = "edit", .enabled = false, .shortcut = "Ctrl+Y;Ctrl+Shift+Z", .accessKey = 'R',
     .handler = [](W& w) { w.redoCommand(); }},

    {.id = "dp", .caption = "ツール", .accessKey = 'T'},
    {.id = "gh", .caption = "学年配当表", .parent = "dp", .accessKey = 'G'},
    {.id = "ght", .caption = "表示する", .parent = "gh", .accessKey = 'S', .handler = [](W& w) { w.lookupPanel.toggle(); }},
    {.id = "ghf", .caption = "表示しない", .parent = "gh",
     .accessKey = 'H', .handler = [](W& w) {
         w.lookupPanel.hide();
         w.toolbar[kLookupButton].picture = kLookupPictureHidden;
     }},
    {.id = "gen", .caption = "原稿用紙作成", .parent = "dp",
     .accessKey = 'M', .handler = [](W& w) { w.openWindow(WindowId::ManuscriptPaper); }},
    {.id = "yokokei", .caption = "横罫線用紙作成", .parent = "dp",
     .accessKey = 'Y', .handler = [](W& w) { w.openWindow(WindowId::RuledPaper); }},
    // Toolbar buttons without a menu item of their own (those shown beside the lookup panel,
    // the page memory), from the keyboard too.
    {.id = "twk", .caption = "-", .parent = "dp"},
    {.id = "tlist", .caption = "一覧表印刷", .parent = "dp", .accessKey = 'L', .toolbarTwin = kGradeListButton,
     .handler = [](W& w) { w.onToolbarClick(kGradeListButton); }},
    {.id = "tbook", .caption = "漢字練習帳", .parent = "dp", .accessKey = 'B', .toolbarTwin = kPracticeBookButton,
     .handler = [](W& w) { w.onToolbarClick(kPracticeBookButton); }},
    {.id = "tcomp", .caption = "教科書会社選択", .parent = "dp", .accessKey = 'C', .toolbarTwin = kCompanyButton,
     .handler = [](W& w) { w.onToolbarClick(kCompanyButton); }},
    {.id = "tflow", .caption = "文章の流し込み", .parent = "dp", .accessKey = 'N', .toolbarTwin = kTextFlowButton,
     .handler = [](W& w) { w.onToolbarClick(kTextFlowButton); }},
    {.id = "tmem", .caption = "表示項目全削除", .parent = "dp", .accessKey = 'K', .toolbarTwin = kClearAllButton,
     .handler = [](W& w) { w.onToolbarClick(kClearAllButton); }},
    // Tests built from kanji or pages, 採点 and 復習 (the class's results).
    {.id = "tst", .caption = "テスト作成", .parent = "dp",
     .accessKey = 'T', .handler = [](W& w) { w.openWindow(WindowId::TestBuilder); }},
    {.toolbarIndex = kTestBuilderButton, .caption = "テスト作成", .tooltip = "テスト作成", .picture = kTestBuilderPicture,
     .handler = [](W& w) { w.openWindow(WindowId::TestBuilder); }},

    {.id = "sel", .caption = "印刷オプション", .needsWorkbook = true, .accessKey = 'P'},
    {.id = "ptwo", .caption = "読み方２枚１組", .parent = "sel", .checkable = true,
     .accessKey = '2', .handler = [](W& w) { w.toolbar[kReadingButton].picture = w.checked(QStringLiteral("ptwo")) ? kReadingSetPicture : kReadingPicture; }},
    {.id = "kt", .caption = "書き方（書き取り枠）", .parent = "sel", .accessKey = 'K'},
    {.id = "kta", .caption = "あり（ふりがなと枠）", .parent = "kt", .group = "kt", .checkable = true,
     .checked = true, .accessKey = 'A', .handler = [](W&) {}},
    {.id = "ktn", .caption = "なし（ふりがなだけ）", .parent = "kt", .group = "kt", .checkable = true,
     .accessKey = 'N', .handler = [](W&) {}},
    {.id = "rnzk", .caption = "練習（なぞり書き）", .parent = "sel", .accessKey = 'R'},
    {.id = "rnzkn", .caption = "なし（手本と空白）", .parent = "rnzk", .group = "rnzk", .checkable = true,
     .checked = true, .accessKey = 'N', .handler = [](W& w) { w.label18.caption.clear(); }},
    {.id = "rnzky", .caption = "あり（手本となぞり書き）", .parent = "rnzk", .group = "rnzk",
     .checkable = true, .accessKey = 'A', .handler = [](W& w) { w.openWindow(WindowId::TracingColor); }},
    {.id = "pp", .caption = "読み方（印刷文字間）", .parent = "sel", .accessKey = 'Y'},
    {.id = "pn", .caption = "普通", .parent = "pp", .group = "pp", .checkable = true, .checked = true,
     .accessKey = 'F', .handler = [](W& w) { w.setReadingSpacing(false); }},
    {.id = "psp", .caption = "狭い", .parent = "pp", .group = "pp", .checkable = true,
     .accessKey = 'S', .handler = [](W& w) { w.setReadingSpacing(true); }},
    {.id = "ch", .caption = "一括印刷", .parent = "sel", .accessKey = 'I'},
    {.id = "asel", .caption = "見出しの全てを印刷", .parent = "ch",
     .accessKey = 'A', .handler = [](W& w) { w.combo1.backColor = kColorGreen; }},
    {.id = "rsel", .caption = "キャンセル", .parent = "ch",
     .accessKey = 'C', .handler = [](W& w) { w.combo1.backColor = kColorWhite; }},
    {.id = "adj", .caption = "かな印字位置調整", .parent = "sel",
     .accessKey = 'J', .handler = [](W& w) { w.openWindow(WindowId::KanaPosition); }},
    // Print commands show a preview first; the sheet is printed from the preview.
    {.id = "pvw", .caption = "印刷プレビュー", .parent = "sel", .checkable = true, .accessKey = 'V', .handler = [](W&) {}},
    // The class's grade (grade_marks.cpp): the grid marks kanji above it; the sheets can give
    // them furigana, print an answer's kanji standing in another row in kana, and add their key.
    {.id = "gk", .caption = "学年", .parent = "sel", .accessKey = 'G'},
    {.id = "gk0", .caption = "自動", .parent = "gk", .group = "gk", .checkable = true, .checked = true,
     .accessKey = 'A', .handler = [](W& w) { w.alarmCheck(); }},
    {.id = "gk1", .caption = "1年", .parent = "gk", .group = "gk", .checkable = true, .accessKey = '1', .handler = [](W& w) { w.alarmCheck(); }},
    {.id = "gk2", .caption = "2年", .parent = "gk", .group = "gk", .checkable = true, .accessKey = '2', .handler = [](W& w) { w.alarmCheck(); }},
    {.id = "gk3", .caption = "3年", .parent = "gk", .group = "gk", .checkable = true, .accessKey = '3', .handler = [](W& w) { w.alarmCheck(); }},
    {.id = "gk4", .caption = "4年", .parent = "gk", .group = "gk", .checkable = true, .accessKey = '4', .handler = [](W& w) { w.alarmCheck(); }},
    {.id = "gk5", .caption = "5年", .parent = "gk", .group = "gk", .checkable = true, .accessKey = '5', .handler = [](W& w) { w.alarmCheck(); }},
    {.id = "gk6", .caption = "6年", .parent = "gk", .group = "gk", .checkable = true, .accessKey = '6', .handler = [](W& w) { w.alarmCheck(); }},
    {.id = "rbu", .caption = "未習漢字にふりがな", .parent = "sel", .checkable = true, .accessKey = 'F', .handler = [](W&) {}},
    {.id = "lkk", .caption = "答えを文中でかなにする", .parent = "sel", .checkable = true, .accessKey = 'L', .handler = [](W&) {}},
    {.id = "wkey", .caption = "解答も印刷", .parent = "sel", .checkable = true, .accessKey = 'A', .handler = [](W&) {}},

    {.id = "hen", .caption = "データ編集", .accessKey = 'D'},
    // Both tools open behind the maintenance password prompt.
    {.id = "fc", .caption = "ファイル結合", .parent = "hen",
     .accessKey = 'K', .handler = [](W& w) { w.passwordWindow.askFor(MaintenanceTool::FileMerge); }},
    {.id = "fch", .caption = "ファイル変更", .parent = "hen",
     .accessKey = 'H', .handler = [](W& w) { w.passwordWindow.askFor(MaintenanceTool::DataEdit); }},

    {.id = "se", .caption = "フォント・プリンター・キー", .accessKey = 'S'},
    {.id = "fon", .caption = "フォント設定", .parent = "se", .accessKey = 'F'},
    {.id = "nf", .caption = "常時設定", .parent = "fon", .group = "fon", .checkable = true,
     .accessKey = 'J', .handler = [](W& w) { w.fontCommand(1); }},
    {.id = "tf", .caption = "一時設定", .parent = "fon", .group = "fon", .checkable = true,
     .accessKey = 'I', .handler = [](W& w) { w.fontCommand(2); }},
    {.id = "ck", .caption = "十字キー設定", .parent = "se", .accessKey = 'K'},
    {.id = "hck", .caption = "ハードタイプ", .parent = "ck", .group = "ck", .checkable = true,
     .accessKey = 'H', .handler = [](W& w) { w.setCursorKeyType(CursorKeyType::Hard); }},
    {.id = "sck", .caption = "ソフトタイプ", .parent = "ck", .group = "ck", .checkable = true, .checked = true,
     .accessKey = 'S', .handler = [](W& w) { w.setCursorKeyType(CursorKeyType::Soft); }},
    {.id = "dd", .caption = "↓のみ移動", .parent = "ck", .group = "ck", .checkable = true,
     .accessKey = 'D', .handler = [](W& w) { w.setCursorKeyType(CursorKeyType::DownOnly); }},
    {.id = "ps", .caption = "プリンター設定", .parent = "se", .accessKey = 'P'},
    {.id = "upri", .caption = "通常のプリンター", .parent = "ps", .group = "ps", .checkable = true,
     .accessKey = 'N', .handler = [](W& w) { w.printerDialogEachTime = true; }},
    {.id = "pst", .caption = "設定変更", .parent = "ps", .group = "ps", .checkable = true, .checked = true,
     .accessKey = 'S', .handler = [](W& w) { w.fixPrinterCommand(); }},

    {.id = "fp", .caption = "ふりがなパス／消去", .accessKey = 'R'},
    {.id = "yp", .caption = "パスする", .parent = "fp", .group = "fp", .checkable = true, .checked = true,
     .accessKey = 'P', .handler = [](W&) {}},
    {.id = "nop", .caption = "パスしない", .parent = "fp", .group = "fp", .checkable = true, .accessKey = 'N', .handler = [](W&) {}},
    {.id = "k6", .caption = "-", .parent = "fp"},
    {.id = "hd", .caption = "ふりがな消去", .parent = "fp", .accessKey = 'D', .handler = [](W& w) { w.eraseReadingsCommand(); }},
    {.id = "yauto", .caption = "ふりがな自動", .parent = "fp", .checkable = true,
     .accessKey = 'A', .handler = [](W& w) { w.autoReadingCommand(); }},

    {.id = "lonc", .caption = "文字数アラーム", .accessKey = 'A'},
    {.id = "lon14", .caption = "１５字", .parent = "lonc", .group = "lonc", .checkable = true,
     .accessKey = '5', .handler = [](W& w) { w.setCharacterLimit(15); }},
    {.id = "lon10", .caption = "１０字", .parent = "lonc", .group = "lonc", .checkable = true,
     .accessKey = '0', .handler = [](W& w) { w.setCharacterLimit(10); }},
    {.id = "lon17", .caption = "１７字", .parent = "lonc", .group = "lonc", .checkable = true,
     .accessKey = '7', .handler = [](W& w) { w.setCharacterLimit(17); }},

    {.id = "hp", .caption = "ヘルプ", .accessKey = 'H'},
    {.id = "hwt", .caption = "データ作成の説明", .parent = "hp",
     .accessKey = 'D', .handler = [](W& w) { w.openWindow(WindowId::DataCreationHelp); }},
    {.id = "hpo", .caption = "ボタンの説明", .parent = "hp", .shortcut = "F1",
     .accessKey = 'B', .handler = [](W& w) { w.openWindow(WindowId::ButtonHelp); }},
    {.id = "ws", .caption = "ナナホシ舎webサイト", .parent = "hp", .accessKey = 'W', .handler = [](W& w) { w.openWebSite(); }},
    {.id = "v4", .caption = "-", .parent = "hp"},
    {.id = "vr", .caption = "バージョン情報", .parent = "hp", .accessKey = 'V'},
    {.id = "v1", .caption = "ｖ　1.1.6　", .parent = "vr", .handler = [](W&) {}},
    {.id = "v2", .caption = "2012 MAR", .parent = "vr", .handler = [](W&) {}},

    {.toolbarIndex = kOpenButton, .tooltip = "ファイルを開く", .picture = kOpenPicture, .handler = [](W& w) { w.openCommand(true); }},
    {.toolbarIndex = kNewButton, .tooltip = "新規作成", .picture = kNewPicture, .handler = [](W& w) { w.newWorkbook(true); }},
    {.toolbarIndex = kBlankPageButton, .tooltip = "白紙ページ追加", .picture = kBlankPagePicture, .handler = [](W& w) { w.blankPage(true); }},
    {.toolbarIndex = kSaveButton, .caption = "保存", .tooltip = "保存", .picture = kSavePicture, .needsWorkbook = true,
     .handler = [](W& w) { w.saveFromToolbar(); }},
    {.toolbarIndex = kDictationButton, .caption = "印刷書き方", .tooltip = "書き方", .picture = kDictationPicture, .needsWorkbook = true,
     .handler = print<SheetKind::Dictation, true>},
    {.toolbarIndex = kTracingButton, .caption = "印刷練習", .tooltip = "練習", .picture = kTracingPicture, .needsWorkbook = true,
     .handler = print<SheetKind::Tracing, true>},
    {.toolbarIndex = kReadingButton, .caption = "印刷読み方", .tooltip = "読み方", .picture = kReadingPicture, .needsWorkbook = true,
     .handler = print<SheetKind::Reading, true>},
    {.toolbarIndex = kThreeSheetsButton, .caption = "３票一括印刷", .tooltip = "３票一括印刷", .picture = kThreeSheetsPicture, .needsWorkbook = true,
     .handler = print<SheetKind::ThreeSheets, true>},
    {.toolbarIndex = kSentenceButton, .caption = "文作り", .tooltip = "文作り", .picture = kSentencePicture, .needsWorkbook = true,
     .handler = print<SheetKind::Sentence, true>},
    {.toolbarIndex = kLookupButton, .caption = "単漢字表示", .tooltip = "単漢字表示", .picture = kLookupPictureHidden,
     .handler = [](W& w) { w.lookupPanel.toggle(); }},
    {.toolbarIndex = kManuscriptButton, .caption = "原稿用紙", .tooltip = "原稿用紙", .picture = kManuscriptPicture,
     .handler =
         [](W& w) {
             w.openWindow(WindowId::ManuscriptPaper);
             w.openWindow(WindowId::RuledPaper);
         }},
    {.toolbarIndex = kFontButton, .caption = "フォント設定", .tooltip = "フォント設定", .picture = kFontPicture,
     .handler = [](W& w) { w.fontCommand(0); }},
    {.toolbarIndex = kClearAllButton, .caption = "表示項目全削除", .tooltip = "表示項目全削除", .picture = kMemoryPictureEmpty,
     .needsWorkbook = true, .handler = [](W& w) { w.memoryList.onToolbarButton(); }},
    {.toolbarIndex = kHelpButton, .caption = "ヘルプ", .tooltip = "ヘルプ", .picture = kHelpPicture,
     .handler = [](W& w) { w.openWindow(WindowId::ButtonHelp); }},
    {.toolbarIndex = kExitButton, .caption = "終了", .tooltip = "終了", .picture = kExitPicture, .handler = [](W& w) { w.exitCommand(); }},
    {.toolbarIndex = kGradeListButton, .caption = "一覧表印刷", .tooltip = "一覧表印刷", .picture = kGradeListPicture, .visible = false,
     .handler = [](W& w) { w.printGradeTable(); }},
    {.toolbarIndex = kPracticeBookButton, .caption = "漢字練習帳", .tooltip = "漢字練習帳", .picture = kPracticeBookPicture, .visible = false,
     .handler = [](W& w) { w.printPracticeBook(); }},
    {.toolbarIndex = kCompanyButton, .tooltip = "教科書会社選択", .picture = kCompanyPicture, .enabled = false, .visible = false,
     .handler = [](W& w) { w.openWindow(WindowId::Company); }},
    {.toolbarIndex = kTextFlowButton, .tooltip = "文章の流し込み", .picture = kTextFlowPicture, .enabled = false, .visible = false,
     .handler = [](W& w) { w.openWindow(WindowId::TextFlow); }},
    // clang-format on
};

}  // namespace

std::span<const Command> commandTable() {
    return kCommands;
}

const Command* menuCommand(const QString& id) {
    for (const Command& c : kCommands)
        if (!c.isToolbarButton() && id == QLatin1String(c.id)) return &c;
    return nullptr;
}

const Command* toolbarCommand(int index) {
    for (const Command& c : kCommands)
        if (c.toolbarIndex == index) return &c;
    return nullptr;
}

QStringList radioGroupOf(const QString& id) {
    const Command* c = menuCommand(id);
    QStringList group;
    if (!c || !*c->group) return group;
    for (const Command& other : kCommands)
        if (!other.isToolbarButton() && qstrcmp(other.group, c->group) == 0)
            group << QString::fromUtf8(other.id);
    return group;
}
