// The manuscript paper window "原稿用紙-クリックで印刷" bound to its model. A button that
// turns red for printing shows red at once, not after the sheet printed: the model asks the
// main window to show the windows now (ManuscriptHost::showNow).
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

protected:
    void showModel() override;

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
