// The widgets of the memory list, bound to a MemoryList model: the message label Label8,
// the list List1 (a click restores the item) and the button Command1 "メモリー消去". The
// main window's view embeds it, gives it its door and repaints it after each event.
#pragma once

#include <QWidget>
#include <vector>

#include "core/windows/main/memory_list.h"
#include "platform/windows/event_door.h"

class QLabel;
class QListWidget;
class QPushButton;

class MemoryListView : public QWidget {
    Q_OBJECT
public:
    MemoryListView(MemoryList& model, QWidget* parent = nullptr);

    void refresh();
    // Where the list's events go: the main window's door.
    EventDoor door;

    QLabel* messageLabel() const { return label8_; }
    QListWidget* list() const { return list1_; }
    QPushButton* clearButton() const { return command1_; }
    // The controls Tab reaches, in reading order.
    std::vector<QWidget*> tabChain() const;

signals:
    // After every refresh.
    void refreshed();

private:
    // Runs a model event through the door (on its own: runs it and repaints).
    void run(const std::function<void()>& event);

    MemoryList& model_;
    QLabel* label8_ = nullptr;
    QListWidget* list1_ = nullptr;
    QPushButton* command1_ = nullptr;
};
