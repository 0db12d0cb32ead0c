// The maintenance password prompt bound to its model.
#pragma once

#include "core/windows/password/password_window.h"
#include "platform/windows/window_view.h"

class QLabel;
class QLineEdit;
class QPushButton;

class PasswordView : public WindowView {
public:
    PasswordView(PasswordWindow& model, QWidget* parent = nullptr);

protected:
    void showModel() override;

private:
    PasswordWindow& model_;
    QLabel* label1_;
    QLineEdit* text1_;
    QPushButton* command1_;
};
