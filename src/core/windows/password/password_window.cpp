#include "core/windows/password/password_window.h"

PasswordWindow::PasswordWindow(WindowContext& context, PasswordHost& host)
    : WindowModel(WindowId::Password, context), host_(host) {
    text1.fontName = QStringLiteral("ＭＳ Ｐゴシック");
    text1.passwordChar = true;
}

void PasswordWindow::askFor(MaintenanceTool tool) {
    if (tool == MaintenanceTool::None) return;
    const bool prefill = tool == MaintenanceTool::DataEdit && host_.markedTool() == MaintenanceTool::DataEdit;
    text1.text = prefill ? kPassword : QString();
    text1.selStart = 0;
    text1.selLength = 0;
    open();
    host_.markTool(tool);
}

void PasswordWindow::onCommand1() {
    if (!isOpen()) return;
    close();
    if (text1.text != kPassword) {
        host_.markTool(MaintenanceTool::None);
        return;
    }
    context().openWindow(host_.markedTool() == MaintenanceTool::FileMerge ? WindowId::FileMerge
                                                                          : WindowId::DataEdit);
}
