// What every secondary window model shares: a title and what happens when the main window
// opens it. Each model talks to the main window through a small interface of its own.
#pragma once

#include <QString>

class WindowModel {
public:
    virtual ~WindowModel() = default;
    // The window's caption; screen readers announce it as the window's name.
    virtual QString title() const = 0;
    // Runs each time the main window opens (loads) the window.
    virtual void onOpen() {}
};
