#include "platform/windows/window_factory.h"

#include <QToolBar>
#include <functional>
#include <iterator>

#include "core/windows/main/main_window.h"
#include "platform/main_window_view.h"
#include "platform/windows/button_help_view.h"
#include "platform/windows/company_view.h"
#include "platform/windows/data_creation_help_view.h"
#include "platform/windows/data_edit_view.h"
#include "platform/windows/file_merge_view.h"
#include "platform/windows/kana_position_view.h"
#include "platform/windows/manuscript_view.h"
#include "platform/windows/password_view.h"
#include "platform/windows/ruled_view.h"
#include "platform/windows/test_builder_view.h"
#include "platform/windows/text_flow_view.h"
#include "platform/windows/tracing_color_view.h"
#include "platform/windows/window_picture.h"

namespace {

using MakeView = WindowView* (*)(MainWindow& model, QWidget* parent);

struct ViewRow {
    WindowId id;
    MakeView make;
};

// Each window's view over its model, in WindowId order. A new window is one row here.
constexpr ViewRow kViews[] = {
    {WindowId::TracingColor,
     [](MainWindow& m, QWidget* p) -> WindowView* { return new TracingColorView(m.tracingWindow, p); }},
    {WindowId::Company,
     [](MainWindow& m, QWidget* p) -> WindowView* { return new CompanyView(m.companyWindow, p); }},
    {WindowId::KanaPosition,
     [](MainWindow& m, QWidget* p) -> WindowView* { return new KanaPositionView(m.kanaWindow, p); }},
    {WindowId::ManuscriptPaper,
     [](MainWindow& m, QWidget* p) -> WindowView* { return new ManuscriptView(m.manuscriptWindow, p); }},
    {WindowId::RuledPaper,
     [](MainWindow& m, QWidget* p) -> WindowView* { return new RuledView(m.ruledWindow, p); }},
    {WindowId::TextFlow,
     [](MainWindow& m, QWidget* p) -> WindowView* { return new TextFlowView(m.textFlowWindow, p); }},
    {WindowId::DataEdit,
     [](MainWindow& m, QWidget* p) -> WindowView* { return new DataEditView(m.dataEditWindow, p); }},
    {WindowId::FileMerge,
     [](MainWindow& m, QWidget* p) -> WindowView* { return new FileMergeView(m.fileMergeWindow, p); }},
    {WindowId::Password,
     [](MainWindow& m, QWidget* p) -> WindowView* { return new PasswordView(m.passwordWindow, p); }},
    // The help pictures are drawn from a main window of their own as the program starts,
    // not from the teacher's window.
    {WindowId::ButtonHelp,
     [](MainWindow& m, QWidget* p) -> WindowView* {
         return new ButtonHelpView(
             m.buttonHelpWindow, [] { return startToolbarPicture(); }, p);
     }},
    {WindowId::DataCreationHelp,
     [](MainWindow& m, QWidget* p) -> WindowView* {
         return new DataCreationHelpView(
             m.dataCreationHelpWindow, [] { return dataCreationPicture(); }, p);
     }},
    {WindowId::TestBuilder,
     [](MainWindow& m, QWidget* p) -> WindowView* { return new TestBuilderView(m.testBuilderWindow, p); }},
};

// One row for every window, each in its place.
static_assert(std::size(kViews) == kWindowCount, "every WindowId has a row in kViews");
static_assert(
    [] {
        for (std::size_t i = 0; i < std::size(kViews); ++i)
            if (windowIndex(kViews[i].id) != i || !kViews[i].make) return false;
        return true;
    }(),
    "the rows of kViews follow WindowId");

}  // namespace

WindowView* createWindowView(WindowId id, MainWindow& model, MainWindowView& mainView) {
    WindowView* view = kViews[windowIndex(id)].make(model, &mainView);
    // The window's events come in by the main window's door, which repaints every view.
    view->door = [&model](const std::function<void()>& event) { model.handle(event); };
    // A window of its own, never a part of the main window's client area.
    if (!view->isWindow()) view->setWindowFlag(Qt::Window, true);
    return view;
}
