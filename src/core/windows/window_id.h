// Every secondary window of the program. The main window's model lists the window models
// under these ids (MainWindow::secondaryWindows); the view layer gives each id its view
// (platform/windows/window_factory.cpp). Both tables are kWindowCount long and in this
// order: a window added here and missing from either fails to compile.
#pragma once

#include <cstddef>

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
    TestBuilder,       // "テスト作成"
    Count              // not a window: how many there are
};

inline constexpr std::size_t kWindowCount = static_cast<std::size_t>(WindowId::Count);

constexpr std::size_t windowIndex(WindowId id) {
    return static_cast<std::size_t>(id);
}
