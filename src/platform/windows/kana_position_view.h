// The kana print position window "かな印字位置調整" bound to its model: the sample "亜"
// between two guide lines, moved by a vertical and a horizontal slider. The close box runs
// the model's unload; the main window drops the view with deleteLater().
#pragma once

#include "platform/windows/window_view.h"

class KanaPositionWindow;
class QLabel;
class QPushButton;
class QSlider;

class KanaPositionView : public WindowView {
public:
    explicit KanaPositionView(KanaPositionWindow& model, QWidget* parent = nullptr);

protected:
    void showModel() override;

private:
    KanaPositionWindow& model_;
    QWidget* canvas_ = nullptr;  // the guide lines and the sample, in twips / 15
    QLabel* label1_ = nullptr;
    QSlider *slider1_ = nullptr, *slider2_ = nullptr;
    QPushButton* command1_ = nullptr;
};
