// What every secondary window's model is to the main window: an id, and opened or closed.
// The main window keeps its windows in one table (MainWindow::secondaryWindows) and opens and
// closes them through this; whether a window is open is kept here and nowhere else. A view
// shows the model while it is open and is closed when the model closes.
#pragma once

#include <QString>
#include <array>

#include "core/windows/window_context.h"
#include "core/windows/window_id.h"

class WindowModel {
public:
    WindowModel(WindowId id, WindowContext& context) : id_(id), context_(context) {}
    virtual ~WindowModel() = default;
    WindowModel(const WindowModel&) = delete;
    WindowModel& operator=(const WindowModel&) = delete;

    WindowId id() const { return id_; }
    // The window's caption ("色設定"): its view's title bar and the name a screen reader says.
    virtual QString title() const = 0;
    bool isOpen() const { return open_; }

    // Opens the window: its controls are readied for showing. An open window stays as it is.
    void open() {
        if (open_) return;
        open_ = true;
        load();
    }
    // Closes the window, running what it does on the way out (writing its options, closing
    // a partner window). A closed window stays closed.
    void close() {
        if (!open_) return;
        open_ = false;
        unload();
    }

    // The teacher closed the window with its close box or Esc. Most windows just close; a
    // window may take it as its cancel button, or ask about unsaved edits and stay open
    // (false).
    virtual bool closeBoxClicked() {
        close();
        return true;
    }

protected:
    virtual void load() {}
    virtual void unload() {}
    // The main window, as every window sees it.
    WindowContext& context() const { return context_; }

private:
    WindowId id_;
    WindowContext& context_;
    bool open_ = false;
};

// The windows in WindowId order as a table: assigned to a table kWindowCount long, a list with
// a window missing fails to compile.
template <typename... Windows>
std::array<WindowModel*, sizeof...(Windows)> windowTable(Windows&... windows) {
    return {&windows...};
}
