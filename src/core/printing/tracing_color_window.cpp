#include "printing/tracing_color_window.h"

#include "mainwindow/main_window.h"

void MainWindow::openTracingColorWindow() {
    tracingWindow.visible = true;
    tracingWindow.choice = -1;
    tracingWindow.sampleColor = tracingColor;
    openWindows.insert(QString::fromUtf8(TracingColorWindow::kName));
    if (changed) changed();
}

void MainWindow::onTracingColorChoice(int index) {
    if (index < 0 || index >= static_cast<int>(TracingColorWindow::kColors.size())) return;
    tracingWindow.choice = index;
    tracingWindow.sampleColor = TracingColorWindow::kColors[static_cast<size_t>(index)];
    if (changed) changed();
}

void MainWindow::onTracingColorOk() {
    if (tracingWindow.choice >= 0)
        tracingColor = TracingColorWindow::kColors[static_cast<size_t>(tracingWindow.choice)];
    label18.caption = kTracingOnCaption;
    label18.visible = true;
    tracingWindow.visible = false;
    openWindows.remove(QString::fromUtf8(TracingColorWindow::kName));
    if (changed) changed();
}

void MainWindow::onTracingColorCancel() {
    checkOne({QStringLiteral("rnzkn"), QStringLiteral("rnzky")}, QStringLiteral("rnzkn"));
    label18.caption.clear();
    label18.visible = false;
    tracingWindow.visible = false;
    openWindows.remove(QString::fromUtf8(TracingColorWindow::kName));
    if (changed) changed();
}

void MainWindow::onLabel18Click() {
    checkOne({QStringLiteral("rnzkn"), QStringLiteral("rnzky")}, QStringLiteral("rnzkn"));
    label18.caption.clear();
    if (changed) changed();
}
