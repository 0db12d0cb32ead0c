// The widgets of the kanji lookup panel, bound to a LookupPanel model: the grade buttons,
// the 10 x 10 cells, the page button, the search frame, compound mode, the example button
// and lines, the clear button and the stroke-order switch of the practice book. The main
// window's view embeds it, gives it its door and repaints it after each event.
#pragma once

#include <QLabel>
#include <QWidget>
#include <array>
#include <vector>

#include "core/windows/main/lookup_panel.h"
#include "platform/windows/event_door.h"
#include "platform/windows/keyboard_access.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// A label that reports clicks: the lookup cells, the example lines, the clear button.
class LookupClickLabel : public PressableLabel {
    Q_OBJECT
public:
    using PressableLabel::PressableLabel;
};

class LookupPanelView : public QWidget {
    Q_OBJECT
public:
    LookupPanelView(LookupPanel& model, QWidget* parent = nullptr);

    // Brings every widget up to the model (only what differs).
    void refresh();
    // Where the panel's events go: the main window's door.
    EventDoor door;

    QPushButton* gradeButton(int grade) const { return grades_[static_cast<size_t>(grade - 1)]; }
    LookupClickLabel* cell(int k) const { return cells_[static_cast<size_t>(k)]; }
    QPushButton* pageButton() const { return page_; }
    QLineEdit* searchBox() const { return search_; }
    QRadioButton* onOption() const { return option1_; }
    QRadioButton* kunOption() const { return option2_; }
    QCheckBox* compoundBox() const { return check1_; }
    QCheckBox* strokeOrderBox() const { return strokeOrder_; }
    QPushButton* exampleButton() const { return command4_; }
    LookupClickLabel* exampleLine(int n) const { return lines_[static_cast<size_t>(n)]; }
    LookupClickLabel* clearButton() const { return clear_; }
    // The controls Tab reaches, in reading order.
    std::vector<QWidget*> tabChain() const;

signals:
    // After every refresh.
    void refreshed();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Runs a model event through the door (on its own: runs it and repaints).
    void run(const std::function<void()>& event) {
        if (door) return door(event);
        event();
        refresh();
    }

    LookupPanel& model_;
    std::array<QPushButton*, 6> grades_{};
    std::array<LookupClickLabel*, kLookupCells> cells_{};
    QPushButton* page_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    QRadioButton* option1_ = nullptr;
    QRadioButton* option2_ = nullptr;
    QLineEdit* search_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QCheckBox* strokeOrder_ = nullptr;
    QPushButton* command4_ = nullptr;
    std::array<LookupClickLabel*, 5> lines_{};
    LookupClickLabel* clear_ = nullptr;
};
