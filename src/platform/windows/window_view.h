// A secondary window's view: widgets bound to one window model. A user event goes to the
// model through the main window's door, after which refresh() brings every widget up to the
// model's state (only what differs, with signals blocked). The close box is the model's to
// answer (closeBoxClicked). The window's accessible name is its title; screen readers see a
// window (or a dialog), not a pane.
#pragma once

#include <QPointer>
#include <QWidget>

class QPushButton;
#include <functional>

#include "core/windows/window_model.h"
#include "platform/windows/event_door.h"

class WindowView : public QWidget {
    Q_OBJECT
public:
    explicit WindowView(WindowModel& model, QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    // Brings the title and every widget up to the model.
    void refresh();

    // The main window's view closes a window the model has closed; a close that does not
    // come from there is the user's (the close box, Esc) and the view tells its model.
    void closeFromModel() {
        closingFromModel_ = true;
        close();
    }

    // Where the window's events go: the main window's door. Set where the view is made.
    EventDoor door;

signals:
    // After every refresh.
    void refreshed();

protected:
    // Each view's binding of its widgets to its model (only what differs).
    virtual void showModel() = 0;

    // A user event: through the door, after which every view repaints once.
    void send(const std::function<void()>& event);

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
