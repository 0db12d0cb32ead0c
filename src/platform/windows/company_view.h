// The textbook company window "教科書会社の選択" bound to its model.
#pragma once

#include "core/windows/company/company_window.h"
#include "platform/windows/window_view.h"

class CompanyView : public WindowView {
public:
    CompanyView(CompanyWindow& model, QWidget* parent);

protected:
    // The buttons never change.
    void showModel() override {}
    void keyPressEvent(QKeyEvent* e) override;

private:
    CompanyWindow& model_;
};
