// The tracing colour window "色設定" bound to its model.
#pragma once

#include <array>

#include "core/windows/tracing_color/tracing_color_window.h"
#include "platform/windows/window_view.h"

class QLabel;
class QRadioButton;

class TracingColorView : public WindowView {
public:
    TracingColorView(TracingColorWindow& model, QWidget* parent);

protected:
    void showModel() override;

private:
    TracingColorWindow& model_;
    std::array<QRadioButton*, 4> options_{};
    QLabel* sample_ = nullptr;
};
