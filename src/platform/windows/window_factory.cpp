#include "windows/window_factory.h"

#include <QToolBar>

#include "main_window_view.h"
#include "windows/button_help_view.h"
#include "windows/company_view.h"
#include "windows/data_creation_help_view.h"
#include "windows/data_edit_view.h"
#include "windows/file_merge_view.h"
#include "windows/kana_position_view.h"
#include "windows/main/main_window.h"
#include "windows/manuscript_view.h"
#include "windows/password_view.h"
#include "windows/ruled_view.h"
#include "windows/text_flow_view.h"
#include "windows/tracing_color_view.h"
#include "windows/window_picture.h"

WindowView* createWindowView(WindowId id, MainWindow& model, MainWindowView& mainView) {
    WindowView* view = nullptr;
    switch (id) {
    case WindowId::TracingColor: view = new TracingColorView(model.tracingWindow, &mainView); break;
    case WindowId::Company: view = new CompanyView(model.companyWindow, &mainView); break;
    case WindowId::KanaPosition: view = new KanaPositionView(model.kanaWindow, &mainView); break;
    case WindowId::ManuscriptPaper: view = new ManuscriptView(model.manuscriptWindow, &mainView); break;
    case WindowId::RuledPaper: view = new RuledView(model.ruledWindow, &mainView); break;
    case WindowId::TextFlow: view = new TextFlowView(model.textFlowWindow, &mainView); break;
    case WindowId::DataEdit: view = new DataEditView(model.dataEditWindow, &mainView); break;
    case WindowId::FileMerge: view = new FileMergeView(model.fileMergeWindow, &mainView); break;
    case WindowId::Password: view = new PasswordView(model.passwordWindow, &mainView); break;
    case WindowId::ButtonHelp:
        // The pictures are drawn from a main window of their own as the program starts, not
        // from the teacher's window.
        view = new ButtonHelpView(
            model.buttonHelpWindow, [] { return startToolbarPicture(); }, &mainView);
        break;
    case WindowId::DataCreationHelp:
        view = new DataCreationHelpView(
            model.dataCreationHelpWindow, [] { return dataCreationPicture(); }, &mainView);
        break;
    }
    // What the window's events change reaches the main window's model, which tells every view.
    if (view) view->eventHandled = [&model] { model.notifyChanged(); };
    // A window of its own, never a part of the main window's client area.
    if (view && !view->isWindow()) view->setWindowFlag(Qt::Window, true);
    return view;
}
