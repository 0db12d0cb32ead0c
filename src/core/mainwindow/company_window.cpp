#include "mainwindow/company_window.h"

#include "mainwindow/main_window.h"

namespace {

const QString& windowName() {
    static const QString name = QString::fromUtf8(CompanyWindow::kName);
    return name;
}

}  // namespace

void closeCompanyWindow(MainWindow& window) {
    window.companyWindow.visible = false;
    window.openWindows.remove(windowName());
    if (window.changed) window.changed();
}

void MainWindow::openCompanyWindow() {
    companyWindow.visible = true;
    openWindows.insert(windowName());
    if (changed) changed();
}

void MainWindow::onCompanyButton(int index) {
    if (index < 0 || index >= static_cast<int>(CompanyWindow::kCompanies.size())) return;
    panels[5] = QString::fromUtf8(CompanyWindow::kCompanies[static_cast<size_t>(index)]);
    closeCompanyWindow(*this);
}

void MainWindow::onCompanyNoneButton() {
    panels[5] = kNoCompany;
    closeCompanyWindow(*this);
}
