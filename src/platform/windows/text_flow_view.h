// The text flow window "文章流し込み" bound to its model.
// The close box runs the model's unload, which tells the main window; the main window drops
// the view with deleteLater() (the view may still be on the stack). A view whose model has
// closed by another way (its partner window, shut-down) hides itself at the next refresh().
#pragma once

#include "platform/windows/window_view.h"

class TextFlowWindow;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class TextFlowView : public WindowView {
public:
    explicit TextFlowView(TextFlowWindow& model, QWidget* parent = nullptr);

protected:
    void showModel() override;

private:
    // The text and the caret to the model.
    void textOrCaretChanged();

    TextFlowWindow& model_;
    QWidget* markerStrip_ = nullptr;
    QLabel* label1_ = nullptr;
    QPlainTextEdit* text1_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    QRadioButton *option1_ = nullptr, *option2_ = nullptr;
    QPushButton *command1_ = nullptr, *command2_ = nullptr, *command3_ = nullptr;
};
