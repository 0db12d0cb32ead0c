#include "core/windows/company/company_window.h"

#include "core/data/settings.h"

void CompanyWindow::onCompanyButton(int index) {
    if (index < 0 || index >= static_cast<int>(kCompanies.size())) return;
    host_.setCompany(QString::fromUtf8(kCompanies[static_cast<size_t>(index)]));
    close();
}

void CompanyWindow::onNoneButton() {
    host_.setCompany(::kNoCompany);
    close();
}
