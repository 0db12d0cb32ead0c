// A secondary window's view: widgets bound to one window model. A user event goes to the
// model, then refresh() brings every widget up to the model's state (only what differs,
// with signals blocked). The window's accessible name is its title.
#pragma once

#include <QWidget>

class WindowView : public QWidget {
public:
    using QWidget::QWidget;
    virtual void refresh() = 0;
};
