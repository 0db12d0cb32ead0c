// A secondary window's view: widgets bound to one window model. A user event goes to the
// model, then refresh() brings every widget up to the model's state (only what differs,
// with signals blocked). The close box is the model's to answer (closeBoxClicked). The window's accessible
// name is its title; screen readers see a window (or a dialog), not a pane.
#pragma once

#include <QPointer>
#include <QWidget>

class QPushButton;
#include <functional>

#include "core/windows/window_model.h"

class WindowView : public QWidget {
    Q_OBJECT
public:
    explicit WindowView(WindowModel& model, QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    virtual void refresh() = 0;

    // The main window's view closes a window the model has closed; a close that does not
    // come from there is the user's (the close box, Esc) and the view tells its model.
    void closeFromModel() {
        closingFromModel_ = true;
        close();
    }

    // Told once after each user event this window's model handled: the main window's model
    // then tells every view (this one too) what changed. Set where the view is made.
    std::function<void()> eventHandled;

protected:
    // A user event: the model handles it, then the views hear of it once.
    template <typename F>
    void send(F&& event) {
        const QPointer<WindowView> self(this);
        event();
        if (!self) return;
        if (eventHandled)
            eventHandled();
        else
            refresh();
        // A window its model closed goes. The main window's view closes it as it hears of the
        // event; a view shown on its own closes here.
        if (self && !windowModel_.isOpen() && isVisible()) closeFromModel();
    }

    // The close box: the model closes, or asks and keeps the window open.
    void closeEvent(QCloseEvent* e) override;
    // Escape closes the window as its close box does (the focus widget may take it first,
    // as an open list does).
    void keyPressEvent(QKeyEvent* e) override;
    // A "閉じる" button that closes the window as its close box does, for the view to place.
    QPushButton* makeCloseButton();

private:
    WindowModel& windowModel_;
    bool closingFromModel_ = false;
};
