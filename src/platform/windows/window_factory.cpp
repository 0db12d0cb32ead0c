#include "platform/windows/window_factory.h"

#include <QToolBar>
#include <functional>

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

struct ViewRow {
    WindowId id;
    std::function<WindowView*(MainWindow& model, QWidget* parent)> make;
};

// Each window's view, over its model. A new window is one row here.
const ViewRow kViews[] = {
    {WindowId::TracingColor,
     [](MainWindow& m, QWidget* p) { return new TracingColorView(m.tracingWindow, p); }},
    {WindowId::Company, [](MainWindow& m, QWidget* p) { return new CompanyView(m.companyWindow, p); }},
    {WindowId::KanaPosition, [](MainWindow& m, QWidget* p) { return new KanaPositionView(m.kanaWindow, p); }},
    {WindowId::ManuscriptPaper,
     [](MainWindow& m, QWidget* p) { return new ManuscriptView(m.manuscriptWindow, p); }},
    {WindowId::RuledPaper, [](MainWindow& m, QWidget* p) { return new RuledView(m.ruledWindow, p); }},
    {WindowId::TextFlow, [](MainWindow& m, QWidget* p) { return new TextFlowView(m.textFlowWindow, p); }},
    {WindowId::DataEdit, [](MainWindow& m, QWidget* p) { return new DataEditView(m.dataEditWindow, p); }},
    {WindowId::FileMerge, [](MainWindow& m, QWidget* p) { return new FileMergeView(m.fileMergeWindow, p); }},
    {WindowId::Password, [](MainWindow& m, QWidget* p) { return new PasswordView(m.passwordWindow, p); }},
    // The help pictures are drawn from a main window of their own as the program starts,
    // not from the teacher's window.
    {WindowId::ButtonHelp,
     [](MainWindow& m, QWidget* p) {
         return new ButtonHelpView(
             m.buttonHelpWindow, [] { return startToolbarPicture(); }, p);
     }},
    {WindowId::DataCreationHelp,
     [](MainWindow& m, QWidget* p) {
         return new DataCreationHelpView(
             m.dataCreationHelpWindow, [] { return dataCreationPicture(); }, p);
     }},
    {WindowId::TestBuilder,
     [](MainWindow& m, QWidget* p) { return new TestBuilderView(m.testBuilderWindow, p); }},
};

}  // namespace

WindowView* createWindowView(WindowId id, MainWindow& model, MainWindowView& mainView) {
    WindowView* view = nullptr;
    for (const ViewRow& row : kViews)
        if (row.id == id) view = row.make(model, &mainView);
    if (!view) return nullptr;
    // The window's events come in by the main window's door, which repaints every view.
    view->door = [&model](const std::function<void()>& event) { model.handle(event); };
    // A window of its own, never a part of the main window's client area.
    if (!view->isWindow()) view->setWindowFlag(Qt::Window, true);
    return view;
}
