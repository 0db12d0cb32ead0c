// The Qt window of the main window model: binds the widgets to MainWindow's state and sends
// every user event through the model's one door (MainWindow::handle), at whose end it
// repaints itself, its panels and every open secondary window once.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <array>
#include <map>
#include <utility>
#include <vector>

#include "core/windows/main/main_window.h"
#include "platform/windows/keyboard_access.h"

class QAction;
class QCheckBox;
class QComboBox;
class QPushButton;
class QToolBar;
class QtPlatform;
class QDialog;
class WindowView;
class LookupPanelView;
class MemoryListView;
class QScrollArea;

// A label that reports clicks (grid cells, number labels, arrow images).
class ClickLabel : public PressableLabel {
    Q_OBJECT
public:
    using PressableLabel::PressableLabel;
    using Marks = std::vector<std::pair<qsizetype, qsizetype>>;
    // Characters [index, index + length) of the text to mark: unlearned kanji with a solid
    // dark red underline, answers that show in another row with a dashed blue one (told apart
    // by shape, not colour alone).
    void setMarks(const Marks& unlearned, const Marks& leak);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Marks unlearned_, leak_;
};

// The entry box: hands input method events to the reading tracker before the line edit
// applies a commit, and key presses to the model before the character reaches the box.
class EntryBox : public QLineEdit {
    Q_OBJECT
public:
    EntryBox(MainWindow& model, QtPlatform& platform, QWidget* parent);
    bool composing() const;
    // True while the line edit applies an input method commit.
    bool applyingCommit() const { return applyingCommit_; }
    QRect caretRect() const { return cursorRect(); }

signals:
    // After every paint: the box scrolls its text as it paints.
    void painted();

protected:
    bool event(QEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    MainWindow& model_;
    QtPlatform& platform_;
    bool applyingCommit_ = false;
};

class MainWindowView : public QMainWindow {
    Q_OBJECT
public:
    MainWindowView(MainWindow& model, QtPlatform& platform);

    void refresh();
    EntryBox* entryBox() const { return entry_; }
    QComboBox* headingBox() const { return combo_; }
    ClickLabel* cellLabel(int row, int col) const {
        return cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
    }
    ClickLabel* numberLabel(int row) const { return numbers_[static_cast<size_t>(row)]; }
    QCheckBox* check3(int row) const { return checks_[static_cast<size_t>(row)]; }
    QAction* menuAction(const QString& name) const { return menuActions_.value(name); }
    QAction* toolbarAction(int index) const { return toolActions_[static_cast<size_t>(index)]; }
    QLabel* statusPanel(int i) const { return panels_[static_cast<size_t>(i)]; }
    QPushButton* registerButton() const { return register_; }
    ClickLabel* arrowImage(int i) const { return arrows_[static_cast<size_t>(i)]; }
    QToolBar* toolbar() const { return toolbar_; }
    LookupPanelView* lookupPanel() const { return lookup_; }
    MemoryListView* memoryPanel() const { return memory_; }
    // The open secondary window of `id`'s view, null when it has none.
    WindowView* windowView(WindowId id) const;

signals:
    // After every refresh.
    void refreshed();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void buildCentral();
    void refreshSecondaryWindows();
    void fitToClientArea();
    // The width the client area can have without scrolling sideways: the screen's, less the
    // window's frame and a scroll bar.
    int roomForClientArea() const;
    // The lookup panel and the memory panel stand right of the grid while they fit beside it,
    // moving left over the space the hidden arrow pad leaves, and go below the grid when they
    // do not: nothing is out of reach sideways.
    void placePanels();
    void placeMarkers();

    MainWindow& model_;
    QtPlatform& platform_;
    QMap<QString, QAction*> menuActions_;
    QMap<QString, QMenu*> menuMenus_;
    std::array<QAction*, kLastToolbarButton + 1> toolActions_{};
    QToolBar* toolbar_ = nullptr;
    std::array<QLabel*, 6> panels_{};
    QComboBox* combo_ = nullptr;
    QPushButton* register_ = nullptr;
    QLabel* label9_ = nullptr;
    QLabel* label11_ = nullptr;
    QLabel* label12_ = nullptr;
    QLabel* label10_ = nullptr;
    ClickLabel* label18_ = nullptr;
    QLabel* label6_ = nullptr;
    QLabel* label13_ = nullptr;
    QLabel* label15_ = nullptr;
    QLabel* label16_ = nullptr;
    QLabel* label17_ = nullptr;
    EntryBox* entry_ = nullptr;
    std::array<ClickLabel*, 11> numbers_{};
    std::array<std::array<ClickLabel*, 9>, 11> cells_{};
    std::array<QCheckBox*, 11> checks_{};
    std::array<ClickLabel*, 6> arrows_{};
    QWidget* central_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    LookupPanelView* lookup_ = nullptr;
    MemoryListView* memory_ = nullptr;
    std::map<WindowId, QPointer<WindowView>> views_;
    bool refreshing_ = false;
    bool forwardingHeadingKey_ = false;  // a heading-box key on its way to the box
    int gridBottom_ = 0;
    QString lastFocus_;
};

// The toolbar picture for a picture of the image list.
QIcon toolbarPicture(Picture picture);
