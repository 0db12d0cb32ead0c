// What every secondary window may ask of the main window, one context shared by all of them:
// the platform, opening and closing windows, the main window's font, file and printer mode,
// the name of the history step an event makes, and showing the windows at once in the middle
// of an event. A window that writes the workbook or the main window's own state declares a
// small host interface of its own beside it.
#pragma once

#include <QString>

#include "core/windows/window_id.h"

class Platform;

class WindowContext {
public:
    virtual ~WindowContext() = default;
    // Message boxes, dialogs, the printer and everything else outside the models.
    virtual Platform& platform() = 0;
    // Shows a window (the open one again); closes one, running its unload, when it is open.
    virtual void openWindow(WindowId id) = 0;
    virtual void closeWindow(WindowId id) = 0;
    // Status-bar panel 2: the face the sheets are printed in.
    virtual QString fontName() const = 0;
    // Status-bar panel 1: the problem file's path, "ファイル" before it has one.
    virtual QString problemFile() const = 0;
    // The folder of the workbook's file; empty when the workbook has no file.
    virtual QString workbookFolder() const = 0;
    // The fixed printer mode ("設定変更") is on: print to the printer chosen there.
    virtual bool fixedPrinterMode() const = 0;
    // Names the step of the history the current event makes (元に戻す「name」).
    virtual void nameStep(const QString& name) = 0;
    // In the middle of an event, before it waits (a printer dialog, the drawing of a sheet):
    // the windows show the models as they stand, at once.
    virtual void showNow() = 0;
};
