// The textbook company window "教科書会社の選択" (Form3): five company buttons and a button
// that closes without choosing. The choice goes to status-bar panel 5; the reading
// dictionary picks it up at its next load.
#pragma once

#include <array>

class MainWindow;

struct CompanyWindow {
    static constexpr const char* kName = "教科書会社の選択";  // caption
    static constexpr const char* kLabel = "教科書の選択";
    // Captions of the button array Command1 (0..4).
    static constexpr std::array<const char*, 5> kCompanies{"東京書籍", "三省堂", "教育出版",
                                                           "学校図書", "光村図書"};
    static constexpr const char* kNoneCaption = "指定しないで閉じる";  // Command2

    bool visible = false;
};

// Closes the window without a choice (the title bar's close box): panel 5 stays as it is.
void closeCompanyWindow(MainWindow& window);
