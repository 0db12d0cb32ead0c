// The main window as the maintenance tools and help windows see it: one fake for the shared
// window context and the password prompt's host, recording every window a tool opens.
#pragma once

#include <vector>

#include "core/windows/data_edit/data_edit_window.h"
#include "core/windows/file_merge/file_merge_window.h"
#include "core/windows/help/button_help_window.h"
#include "core/windows/password/password_window.h"
#include "fake_platform.h"

class FakeToolHost : public WindowContext, public PasswordHost {
public:
    explicit FakeToolHost(FakePlatform& platform) : platform_(platform) {}

    QString panel1 = QStringLiteral("ファイル");
    QString workbookDir;  // empty: the workbook has no file
    MaintenanceTool marked = MaintenanceTool::None;
    std::vector<WindowId> opened;

    Platform& platform() override { return platform_; }
    QString problemFile() const override { return panel1; }
    QString workbookFolder() const override { return workbookDir; }
    MaintenanceTool markedTool() const override { return marked; }
    void markTool(MaintenanceTool tool) override { marked = tool; }
    void openWindow(WindowId id) override { opened.push_back(id); }
    void closeWindow(WindowId) override {}
    QString fontName() const override { return QStringLiteral("ＭＳ Ｐ明朝"); }
    bool fixedPrinterMode() const override { return false; }
    void nameStep(const QString&) override {}
    void showNow() override {}

private:
    FakePlatform& platform_;
};
