// Pictures of the program's own windows for the help windows: rendered from the widgets, so
// they always show the program as it is built, with where each named control stands in them.
// The help shows the main window of a program just started, drawn from a window of its own:
// never the teacher's window, with its file, pages and panels.
#pragma once

#include <QHash>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <functional>

class MainWindow;
class QToolBar;
class QWidget;

struct WindowPicture {
    QPixmap pixmap;
    // Where each control stands in the picture, by object name (the design name: "Combo1",
    // "Toolbar1_19" ...), in the picture's logical pixels.
    QHash<QString, QRect> places;
};

// The toolbar with every button shown, including those hidden at the moment, rendered from
// a copy of its actions (pictures, texts, separators, object names).
WindowPicture toolbarPicture(const QToolBar& toolbar);

// The window as it stands on screen, with the places of its visible named widgets and of the
// named actions that have a button in it.
WindowPicture widgetPicture(QWidget& window);

// The part of a picture inside rect, and the places moved into it.
WindowPicture cropPicture(const WindowPicture& picture, const QRect& rect);

// The main window of a program just started (its own settings, no file), drawn offscreen;
// `step` may take its model on first (a page begun, for the steps of building one).
WindowPicture startWindowPicture(const std::function<void(MainWindow&)>& step = {});
// The toolbar of that window, every button shown.
WindowPicture startToolbarPicture();
// The picture of the data creation help: that window with the steps done on it, a new
// workbook with its first heading registered and an example problem in row 1.
WindowPicture dataCreationPicture();
