#include "mainwindow/main_window.h"

#include "data/problem_files.h"
#include "data/settings.h"

#include <QDir>

namespace {

struct MenuDef {
    const char* name;
    const char* caption;
    int depth;
    bool checked = false;
};

// The menu tree in order; depth 0 is the menu bar, "-" captions are separators.
const MenuDef kMenuTree[] = {
    {"fa", "ファイル", 0},
    {"of", "呼出", 1},
    {"k9", "-", 1},
    {"np", "新規作成", 1},
    {"newD", "白紙ページ追加", 1},
    {"k5", "-", 1},
    {"sa", "保存", 1},
    {"k1", "-", 1},
    {"p1", "印刷‐書き方", 1},
    {"p2", "印刷‐練習", 1},
    {"p3", "印刷‐読み方", 1},
    {"tap", "３票一括印刷", 1},
    {"p4", "印刷-文作り", 1},
    {"k3", "-", 1},
    {"hth", "学年配当表印刷", 1},
    {"k4", "-", 1},
    {"en", "終了", 1},
    {"dp", "ツール", 0},
    {"gh", "学年配当表", 1},
    {"ght", "表示する", 2},
    {"ghf", "表示しない", 2},
    {"gen", "原稿用紙作成", 1},
    {"yokokei", "横罫線用紙作成", 1},
    {"sel", "印刷オプション", 0},
    {"ptwo", "読み方２枚１組", 1},
    {"kt", "書き方（書き取り枠）", 1},
    {"kta", "あり（ふりがなと枠）", 2, true},
    {"ktn", "なし（ふりがなだけ）", 2},
    {"rnzk", "練習（なぞり書き）", 1},
    {"rnzkn", "なし（手本と空白）", 2, true},
    {"rnzky", "あり（手本となぞり書き）", 2},
    {"pp", "読み方（印刷文字間）", 1},
    {"pn", "普通", 2, true},
    {"psp", "狭い", 2},
    {"ch", "一括印刷", 1},
    {"asel", "見出しの全てを印刷", 2},
    {"rsel", "キャンセル", 2},
    {"adj", "かな印字位置調整", 1},
    {"pvw", "印刷プレビュー", 1},
    {"hen", "データ編集", 0},
    {"fc", "ファイル結合", 1},
    {"fch", "ファイル変更", 1},
    {"se", "フォント・プリンター・キー", 0},
    {"fon", "フォント設定", 1},
    {"nf", "常時設定", 2},
    {"tf", "一時設定", 2},
    {"ck", "十字キー設定", 1},
    {"hck", "ハードタイプ", 2},
    {"sck", "ソフトタイプ", 2, true},
    {"dd", "↓のみ移動", 2},
    {"ps", "プリンター設定", 1},
    {"upri", "通常のプリンター", 2},
    {"pst", "設定変更", 2, true},
    {"fp", "ふりがなパス／消去", 0},
    {"yp", "パスする", 1, true},
    {"nop", "パスしない", 1},
    {"k6", "-", 1},
    {"hd", "ふりがな消去", 1},
    {"lonc", "文字数アラーム", 0},
    {"lon14", "１５字", 1},
    {"lon10", "１０字", 1},
    {"lon17", "１７字", 1},
    {"hp", "ヘルプ", 0},
    {"hwt", "データ作成の説明", 1},
    {"hpo", "ボタンの説明", 1},
    {"ws", "ナナホシ舎webサイト", 1},
    {"v4", "-", 1},
    {"vr", "バージョン情報", 1},
    {"v1", "ｖ　1.1.6　", 2},
    {"v2", "2012 MAR", 2},
};

struct ButtonDef {
    int index;
    const char* caption;
    const char* tooltip;
    int picture;
};

const ButtonDef kButtons[] = {
    {1, "", "ファイルを開く", 1},
    {2, "", "新規作成", 35},
    {3, "", "白紙ページ追加", 17},
    {4, "保存", "保存", 2},
    {6, "印刷書き方", "書き方", 4},
    {7, "印刷練習", "練習", 5},
    {8, "印刷読み方", "読み方", 6},
    {9, "３票一括印刷", "３票一括印刷", 22},
    {10, "文作り", "文作り", 25},
    {12, "単漢字表示", "単漢字表示", 28},
    {13, "原稿用紙", "原稿用紙", 13},
    {15, "フォント設定", "フォント設定", 8},
    {17, "表示項目全削除", "表示項目全削除", 11},
    {19, "ヘルプ", "ヘルプ", 36},
    {21, "終了", "終了", 29},
    {23, "一覧表印刷", "一覧表印刷", 23},
    {24, "漢字練習帳", "漢字練習帳", 26},
    {25, "", "教科書会社選択", 31},
    {27, "", "文章の流し込み", 34},
};

const char* const kWorkbookMenus[] = {"sa", "tap", "p1", "p2", "p3", "p4", "sel"};
const int kWorkbookButtons[] = {4, 6, 7, 8, 9, 10, 17};

}  // namespace

MainWindow::MainWindow(Platform& platform, Workbook& workbook)
    : platform_(platform), wb_(workbook) {
    QString parents[3];
    for (const MenuDef& d : kMenuTree) {
        MenuItem m;
        m.name = QString::fromUtf8(d.name);
        m.caption = QString::fromUtf8(d.caption);
        m.separator = m.caption == QLatin1String("-");
        m.checked = d.checked;
        m.parent = d.depth > 0 ? parents[d.depth - 1] : QString();
        parents[d.depth] = m.name;
        menus.push_back(m);
    }
    // The disabled item of the form: enabled only while a grade list is shown.
    menu(QStringLiteral("hth"))->enabled = false;
    for (int i = 1; i <= 27; ++i) toolbar[static_cast<size_t>(i)].separator = true;
    for (const ButtonDef& b : kButtons) {
        ToolButton& t = toolbar[static_cast<size_t>(b.index)];
        t.separator = false;
        t.caption = QString::fromUtf8(b.caption);
        t.tooltip = QString::fromUtf8(b.tooltip);
        t.picture = b.picture;
    }
    panels = {QString(), QStringLiteral("ファイル"), QStringLiteral("フォント"),
              QStringLiteral("フォントサイズ"), QStringLiteral("作業番号"), QString()};
    for (int r = 1; r <= 10; ++r) {
        GridRow& row = grid.at(r);
        for (int c = kColBefore; c <= kColAfter2; ++c) {
            row.cell(c).backColor = kCellBaseColor[static_cast<size_t>(c)];
            row.cell(c).visible = c < kColKanji2;
        }
        row.check3Tooltip = QStringLiteral("５マス表示ボタン");
    }
}

MenuItem* MainWindow::menu(const QString& name) {
    for (MenuItem& m : menus)
        if (m.name == name) return &m;
    return nullptr;
}

const MenuItem* MainWindow::menu(const QString& name) const {
    for (const MenuItem& m : menus)
        if (m.name == name) return &m;
    return nullptr;
}

bool MainWindow::checked(const QString& name) const {
    const MenuItem* m = menu(name);
    return m && m->checked;
}

void MainWindow::setChecked(const QString& name, bool on) {
    if (MenuItem* m = menu(name)) m->checked = on;
}

void MainWindow::setMenuEnabled(const QString& name, bool on) {
    if (MenuItem* m = menu(name)) m->enabled = on;
}

void MainWindow::checkOne(const QStringList& group, const QString& name) {
    for (const QString& g : group) setChecked(g, g == name);
}

void MainWindow::startUp() {
    readingSpacing = 20.0 / 35.0;
    memoryPanelVisible = false;
    for (const char* m : kWorkbookMenus) setMenuEnabled(QString::fromUtf8(m), false);
    for (int i : {23, 24, 25, 27}) toolbar[static_cast<size_t>(i)].visible = false;
    for (int i : {4, 6, 7, 8, 9, 10, 25, 27}) toolbar[static_cast<size_t>(i)].enabled = false;
    widthTwips = 9700;
    command4.visible = false;

    const SettingsReadResult s = readSettings(QDir(platform_.currentDirectory()).filePath(kSettingsFileName));
    settingsFileWasMissing = s.fileNotFound;
    kanaOffset1 = s.settings.kanaOffset1;
    kanaOffset2 = s.settings.kanaOffset2;

    panels[2] = s.settings.fontLine;
    if (panels[2].isEmpty()) {
        panels[2] = kDefaultFontName;
        setChecked(QStringLiteral("tf"), true);
    }
    panels[5] = s.settings.companyLine.isEmpty() ? kNoCompany : s.settings.companyLine;
    const bool tracing = !s.settings.tracingLine.isEmpty();
    label18.caption = tracing ? kTracingOnCaption : QString();
    setChecked(QStringLiteral("rnzky"), tracing);
    setChecked(QStringLiteral("rnzkn"), !tracing);

    cursorKeys = CursorKeyType::Soft;
    toolbar[17].enabled = false;
    setHeadingLabel(kNoHeading);
    wb_.unsavedChanges = true;

    for (int r = 1; r <= 10; ++r) reflowRow(r);
    entry.enabled = false;

    characterLimit = 15;
    checkOne({QStringLiteral("lon14"), QStringLiteral("lon10"), QStringLiteral("lon17")},
             QStringLiteral("lon14"));
    // The printer mode starts as "a dialog before each print"; the mark says so.
    printerDialogEachTime = true;
    checkOne({QStringLiteral("upri"), QStringLiteral("pst")}, QStringLiteral("upri"));
    problemFontSize = 25;
    panels[3] = QStringLiteral("フォントサイズ") + QString::number(problemFontSize);
    lastFontDialog = FontChoice{panels[2], 25, false, false};
    if (changed) changed();
}

bool MainWindow::exitCommand() {
    if (wb_.unsavedChanges &&
        platform_.messageBox(QStringLiteral("保存されていませんが、終了しますか？"), kConfirmTitle,
                             MessageButtons::YesNo, MessageIcon::Warning) == MessageAnswer::No)
        return false;
    shutDown();
    return true;
}

void MainWindow::writeSettingsFile(bool full) {
    Settings s;
    s.fontLine = panels[2];
    s.kanaOffset1 = kanaOffset1;
    s.kanaOffset2 = kanaOffset2;
    s.companyLine = panels[5];
    s.tracingLine = label18.caption;
    writeSettings(QDir(platform_.currentDirectory()).filePath(kSettingsFileName), s, full);
}

void MainWindow::shutDown() {
    if (closed_) return;
    writeSettingsFile(true);
    openWindows.clear();
    closed_ = true;
    if (changed) changed();
}

void MainWindow::enableWorkbookCommands() {
    for (const char* m : kWorkbookMenus) setMenuEnabled(QString::fromUtf8(m), true);
    for (int i : kWorkbookButtons) toolbar[static_cast<size_t>(i)].enabled = true;
    label12.visible = false;
    combo1.enabled = true;
    focus = QStringLiteral("Combo1");
    for (int r = 1; r <= 10; ++r) {
        grid.at(r).check3Enabled = true;
        grid.at(r).check3Tooltip = QStringLiteral("５マス表示ボタン");
    }
}

void MainWindow::notAvailable(const QString& what) {
    platform_.messageBox(QStringLiteral("「%1」はまだ使えません。").arg(what), kConfirmTitle,
                         MessageButtons::Ok, MessageIcon::Information);
}
