// How a view's user event reaches its model. The main window's view gives every view, its
// panels and each secondary window alike, the one door MainWindow::handle: the event runs as
// one action, and at its end every view repaints once. A view shown on its own (in a test)
// has no door: it runs the event and repaints itself.
#pragma once

#include <functional>

using EventDoor = std::function<void(const std::function<void()>& event)>;
