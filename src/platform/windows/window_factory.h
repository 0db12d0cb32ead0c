// From a window id to the view that shows its model.
#pragma once

#include "windows/window_id.h"

class MainWindow;
class QtPlatform;
class QWidget;
class WindowView;

// A new, not yet shown view of the main window's model of `id`; nullptr for a window that
// has no view.
WindowView* createWindowView(WindowId id, MainWindow& model, QtPlatform& platform, QWidget* parent);
