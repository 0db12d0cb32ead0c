// What the mouse does, from the keyboard too: labels a click acts on, and lists whose
// items a click picks.
#pragma once

#include <QLabel>
#include <functional>

class QListWidget;
class QListWidgetItem;

// A label a click acts on: the grid's cells and number labels, the arrow pad, the lookup
// cells, the example lines, the clear button. It reports clicks; made pressable, Tab
// reaches it (a click still leaves the focus where it was), it shows a focus mark, Space
// and Enter act like a click, and screen readers see a push button they can press.
class PressableLabel : public QLabel {
    Q_OBJECT
public:
    explicit PressableLabel(QWidget* parent = nullptr);
    explicit PressableLabel(const QString& text, QWidget* parent = nullptr);

    // Whether the keyboard reaches it; its place in the Tab order stays when switched off.
    void setPressable(bool on);
    bool pressable() const { return focusPolicy() != Qt::NoFocus; }
    // What a click does.
    void press() { emit clicked(); }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
};

// The style sheet of a push button with colours of its own (declarations such as
// "background-color:#80ffff;"): colours set by a style sheet hide the style's focus mark, so
// the focused button shows a frame in the highlight colour instead.
QString coloredButtonStyle(const QString& declarations);

// Enter or Space on a list's current item does what a click on it does.
void pickOnKeys(QListWidget* list, std::function<void(QListWidgetItem*)> pick);
