// The command table: every menu item and toolbar button of the main window is one row. The
// menu tree, the toolbar, the check marks, the enabled states at start-up and the dispatch
// are all derived from it; a new command is one row and one handler.
#pragma once

#include <QString>
#include <span>

#include "core/windows/main/toolbar_buttons.h"

class MainWindow;

using CommandHandler = void (*)(MainWindow&);

struct Command {
    const char* id = "";       // design name of a menu item ("lon14"); "" for a toolbar button
    int toolbarIndex = 0;      // 1..27 for a toolbar button; indexes without a row are separators
    const char* caption = "";  // menu caption ("-" is a separator) or the button's caption
    const char* parent = "";   // the menu an item sits in; "" on the menu bar
    const char* tooltip = "";  // toolbar buttons
    Picture picture{};         // toolbar buttons: the picture shown (none: kNoPicture)
    const char* group = "";    // radio group: choosing one item moves the mark within it
    bool checkable = false;
    bool checked = false;        // the mark at design time
    bool needsWorkbook = false;  // disabled until a workbook is active
    bool enabled = true;         // enabled in the window's design
    bool visible = true;         // shown in the window's design
    const char* shortcut = "";   // keyboard shortcut, QKeySequence text
    char accessKey = 0;          // the letter after the caption, "ファイル(&F)", "呼出(&O)"
    // A menu item that runs toolbar button N: it is enabled while that button is shown and
    // enabled, so the commands the toolbar shows only beside the lookup panel are in the menu too.
    int toolbarTwin = 0;
    CommandHandler handler = nullptr;

    bool isToolbarButton() const { return toolbarIndex > 0; }
    bool isSeparator() const { return caption[0] == '-' && caption[1] == 0; }
};

std::span<const Command> commandTable();
const Command* menuCommand(const QString& id);
const Command* toolbarCommand(int index);
// The items sharing the radio group of `id` (empty when it has none).
QStringList radioGroupOf(const QString& id);
