// From a window id to the view that shows its model.
#pragma once

#include "core/windows/window_id.h"

class MainWindow;
class MainWindowView;
class WindowView;

// A new, not yet shown view of the main window's model of `id`, a window of its own owned by
// the main window's view, whose events go through the main window's door. The table behind
// it has one row for every WindowId, in order (checked when compiled).
WindowView* createWindowView(WindowId id, MainWindow& model, MainWindowView& mainView);
