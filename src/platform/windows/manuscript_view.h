// The manuscript paper window "原稿用紙-クリックで印刷" bound to its model.
// The close box runs the model's unload, which tells the main window; the main window drops
// the view with deleteLater() (the view may still be on the stack). A view whose model has
// closed by another way (its partner window, shut-down) hides itself at the next refresh().
#pragma once

#include <array>

#include "platform/windows/window_view.h"

class ManuscriptWindow;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class ManuscriptView : public WindowView {
public:
    explicit ManuscriptView(ManuscriptWindow& model, QWidget* parent = nullptr);
    ~ManuscriptView() override;
    void refresh() override;

private:
    // Runs a user event on the model, then shows the result (unless the view went away).

    ManuscriptWindow& model_;
    std::array<QPushButton*, 4> command1_{};
    QPushButton* command2_ = nullptr;
    QPushButton* command3_ = nullptr;
    std::array<QGroupBox*, 5> frame_{};       // [1..4]
    std::array<QRadioButton*, 10> option_{};  // [1..9], no Option4
    QLabel *label1_ = nullptr, *label2_ = nullptr, *label3_ = nullptr, *label4_ = nullptr;
    QLineEdit* text1_ = nullptr;
};
