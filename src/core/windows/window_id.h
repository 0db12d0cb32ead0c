// Every window of the program. The main window model keeps which secondary windows are
// open; the view layer maps each id to the view that shows it.
#pragma once

enum class WindowId {
    TracingColor,      // "色設定"
    Company,           // "教科書会社の選択"
    KanaPosition,      // "かな印字位置調整"
    ManuscriptPaper,   // "原稿用紙-クリックで印刷"
    RuledPaper,        // "罫線用紙印刷"
    TextFlow,          // "文章流し込み"
    DataEdit,          // "データ修正ツール"
    FileMerge,         // "ファイル結合"
    Password,          // maintenance password prompt
    ButtonHelp,        // "ボタンの説明"
    DataCreationHelp,  // "データ作成の説明"
};

inline constexpr WindowId kSecondaryWindows[] = {
    WindowId::TracingColor, WindowId::Company,    WindowId::KanaPosition,     WindowId::ManuscriptPaper,
    WindowId::RuledPaper,   WindowId::TextFlow,   WindowId::DataEdit,         WindowId::FileMerge,
    WindowId::Password,     WindowId::ButtonHelp, WindowId::DataCreationHelp,
};
