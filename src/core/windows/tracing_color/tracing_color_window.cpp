#include "core/windows/tracing_color/tracing_color_window.h"

void TracingColorWindow::load() {
    choice = -1;
    sampleColor = host_.currentTracingColor();
}

int TracingColorWindow::currentChoice() const {
    for (size_t i = 0; i < kColors.size(); ++i)
        if (kColors[i] == sampleColor) return static_cast<int>(i);
    return -1;
}

void TracingColorWindow::onChoice(int index) {
    if (index < 0 || index >= static_cast<int>(kColors.size())) return;
    choice = index;
    sampleColor = kColors[static_cast<size_t>(index)];
}

void TracingColorWindow::onOk() {
    host_.tracingChosen(choice >= 0 ? kColors[static_cast<size_t>(choice)] : host_.currentTracingColor());
    close();
}

void TracingColorWindow::onCancel() {
    host_.tracingCancelled();
    close();
}
