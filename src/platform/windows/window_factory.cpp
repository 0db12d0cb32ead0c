#include "windows/window_factory.h"

#include "qt_platform.h"
#include "windows/company_view.h"
#include "windows/main/main_window.h"
#include "windows/tracing_color_view.h"

WindowView* createWindowView(WindowId id, MainWindow& model, QtPlatform& platform, QWidget* parent) {
    (void)platform;
    switch (id) {
    case WindowId::TracingColor: return new TracingColorView(model.tracingWindow, parent);
    case WindowId::Company: return new CompanyView(model.companyWindow, parent);
    default: return nullptr;
    }
}
