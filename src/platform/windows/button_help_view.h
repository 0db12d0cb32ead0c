// The help window "ボタンの説明" bound to its model: two pictures of the program's toolbar
// with the letters of the button list standing over the buttons they explain.
#pragma once

#include <functional>

#include "core/windows/help/button_help_window.h"
#include "platform/windows/window_picture.h"
#include "platform/windows/window_view.h"

class QLabel;
class QPushButton;

class ButtonHelpView : public WindowView {
public:
    // Renders the main window's toolbar as it is now, e.g. toolbarPicture(*toolbar); the
    // places must be keyed "Toolbar1_<index>" (the object names of the toolbar's actions).
    using PictureSource = std::function<WindowPicture()>;

    ButtonHelpView(ButtonHelpWindow& model, PictureSource toolbar, QWidget* parent = nullptr);
    // Takes the toolbar's picture again and places the letters over it.
    void updatePictures();

protected:
    void showModel() override;
    void showEvent(QShowEvent* e) override;

private:
    // Shows the buttons first..last of the toolbar picture in image, and over it, in row,
    // the letters of those buttons, each centred over its button.
    void showPicture(QLabel* image, QWidget* row, const WindowPicture& toolbar, int first, int last);

    ButtonHelpWindow& model_;
    PictureSource source_;
    QLabel* label1_;
    QWidget* label2_;
    QWidget* label3_;
    QLabel* image1_;
    QLabel* image2_;
    QLabel* label4_;
    QLabel* label5_;
    QLabel* label6_;
    QLabel* label7_;
    QPushButton* command1_;
    QPushButton* command2_;
    QPushButton* command3_;
};
