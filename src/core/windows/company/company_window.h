// The textbook company window "教科書会社の選択" (Form3): five company buttons and a button
// that closes without choosing. The choice goes to status-bar panel 5; the reading
// dictionary picks it up at its next load.
#pragma once

#include <QString>
#include <array>

#include "core/windows/window_model.h"

// What the company window changes in the main window: its textbook company.
class CompanyHost {
public:
    virtual ~CompanyHost() = default;
    // Status-bar panel 5.
    virtual void setCompany(const QString& name) = 0;
};

class CompanyWindow : public WindowModel {
public:
    static constexpr const char* kName = "教科書会社の選択";  // caption
    static constexpr const char* kLabel = "教科書の選択";
    // Captions of the button array Command1 (0..4).
    static constexpr std::array<const char*, 5> kCompanies{"東京書籍", "三省堂", "教育出版", "学校図書",
                                                           "光村図書"};
    static constexpr const char* kNoneCaption = "指定しないで閉じる";  // Command2

    CompanyWindow(WindowContext& context, CompanyHost& host)
        : WindowModel(WindowId::Company, context), host_(host) {}

    QString title() const override { return QString::fromUtf8(kName); }
    void onCompanyButton(int index);  // Command1(index), index 0..4
    void onNoneButton();              // Command2 "指定しないで閉じる"
    // The title bar's close box just closes: panel 5 stays as it is.

private:
    CompanyHost& host_;
};
