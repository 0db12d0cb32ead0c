// The maintenance password prompt: which tool it leads to and when it fills itself in.
#include "core/windows/password/password_window.h"

#include <gtest/gtest.h>

#include "fake_tool_host.h"

namespace {

struct PasswordTest : ::testing::Test {
    FakePlatform platform;
    FakeToolHost host{platform};
    PasswordWindow w{host, host};

    // Chooses the menu item and answers the prompt.
    void attempt(MaintenanceTool tool, const QString& password) {
        w.askFor(tool);
        w.onText1Changed(password);
        w.onCommand1();
    }
};

TEST_F(PasswordTest, States) {
    using T = MaintenanceTool;
    struct Step {
        const char* name;
        T tool;
        QString typed;                 // what the user leaves in the box ("=" keeps what was filled in)
        QString shownAtOpen;           // the box when the prompt opens
        T marked;                      // marks after OK
        std::vector<WindowId> opened;  // windows the prompt opened after OK
    };
    const QString pw = QStringLiteral("tsukimi");
    const std::vector<Step> steps{
        {"merge, right", T::FileMerge, pw, "", T::FileMerge, {WindowId::FileMerge}},
        {"edit after merge starts empty", T::DataEdit, pw, "", T::DataEdit, {WindowId::DataEdit}},
        {"edit again is filled in", T::DataEdit, "=", pw, T::DataEdit, {WindowId::DataEdit}},
        {"merge is never filled in", T::FileMerge, pw, "", T::FileMerge, {WindowId::FileMerge}},
        {"edit after merge again empty", T::DataEdit, "TSUKIMI", "", T::None, {}},
        {"after a failure empty", T::DataEdit, "", "", T::None, {}},
        {"still empty, then right", T::DataEdit, pw, "", T::DataEdit, {WindowId::DataEdit}},
        {"filled in, then changed", T::DataEdit, "tsukim", pw, T::None, {}},
        {"merge with a longer word", T::FileMerge, "tsukimi ", "", T::None, {}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        host.opened.clear();
        w.askFor(s.tool);
        EXPECT_TRUE(w.isOpen());
        EXPECT_EQ(w.text1.text, s.shownAtOpen);
        EXPECT_EQ(host.marked, s.tool);  // the mark moves when the prompt opens
        if (s.typed != QStringLiteral("=")) w.onText1Changed(s.typed);
        w.onCommand1();
        EXPECT_FALSE(w.isOpen());
        EXPECT_EQ(host.marked, s.marked);
        EXPECT_EQ(host.opened, s.opened);
    }
    EXPECT_TRUE(platform.messages.empty());  // a wrong password closes silently
}

TEST_F(PasswordTest, ControlsAndCloseBox) {
    EXPECT_TRUE(w.text1.passwordChar);
    EXPECT_EQ(w.label1.foreColor, 0x0000FF);
    EXPECT_EQ(w.label1.caption,
              QStringLiteral("ここからの作業は管理者の責任で行ってください。パスワードを入力してください。"));
    attempt(MaintenanceTool::DataEdit, QStringLiteral("tsukimi"));
    w.askFor(MaintenanceTool::DataEdit);
    host.opened.clear();
    EXPECT_TRUE(w.closeBoxClicked());  // closed without OK: the marks stay
    EXPECT_FALSE(w.isOpen());
    EXPECT_EQ(host.marked, MaintenanceTool::DataEdit);
    w.onCommand1();  // a late click on a closed prompt does nothing
    EXPECT_TRUE(host.opened.empty());
}

}  // namespace
