// The ruled paper window "罫線用紙印刷" bound to its model.
// The close box runs the model's unload, which tells the main window; the main window drops
// the view with deleteLater() (the view may still be on the stack). A view whose model has
// closed by another way (its partner window, shut-down) hides itself at the next refresh().
#pragma once

#include "platform/windows/window_view.h"

class RuledWindow;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class RuledView : public WindowView {
public:
    explicit RuledView(RuledWindow& model, QWidget* parent = nullptr);

protected:
    void showModel() override;

private:
    RuledWindow& model_;
    QLabel* label1_ = nullptr;
    QComboBox* combo1_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    QRadioButton *option1_ = nullptr, *option2_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QPushButton* command1_ = nullptr;
};
