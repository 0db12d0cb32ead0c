#include "windows/password/password_window.h"

PasswordWindow::PasswordWindow(PasswordHost& host) : host_(host) {
    text1.fontName = QStringLiteral("ＭＳ Ｐゴシック");
    text1.passwordChar = true;
}

void PasswordWindow::openFor(MaintenanceTool tool) {
    if (tool == MaintenanceTool::None) return;
    const bool prefill = tool == MaintenanceTool::DataEdit && host_.markedTool() == MaintenanceTool::DataEdit;
    text1.text = prefill ? kPassword : QString();
    text1.selStart = 0;
    text1.selLength = 0;
    open_ = true;
    host_.openWindow(WindowId::Password);
    host_.markTool(tool);
}

void PasswordWindow::onCommand1() {
    if (!open_) return;
    open_ = false;
    if (text1.text != kPassword) {
        host_.markTool(MaintenanceTool::None);
        host_.closeWindow(WindowId::Password);
        return;
    }
    host_.closeWindow(WindowId::Password);
    host_.openWindow(host_.markedTool() == MaintenanceTool::FileMerge ? WindowId::FileMerge
                                                                      : WindowId::DataEdit);
}

void PasswordWindow::onClose() {
    if (!open_) return;
    open_ = false;
    host_.closeWindow(WindowId::Password);
}
