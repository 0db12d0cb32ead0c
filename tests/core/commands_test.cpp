// The command table and what is derived from it: menu tree, toolbar, radio groups,
// enabled states and dispatch.
#include "core/windows/main/commands.h"

#include <QSet>

#include "window_fixture.h"

TEST(CommandTable, MenuItemsSitInMenusOfTheTableAndIdsAreUnique) {
    QSet<QString> ids;
    for (const Command& c : commandTable()) {
        if (c.isToolbarButton()) continue;
        const QString id = QString::fromUtf8(c.id);
        EXPECT_FALSE(ids.contains(id)) << c.id;
        ids.insert(id);
        // A menu is declared before the items in it.
        if (*c.parent) EXPECT_TRUE(ids.contains(QString::fromUtf8(c.parent))) << c.id;
    }
}

// Every item of every menu can be chosen from the keyboard: each has an access letter, and no
// two items of one menu share one. Only the two lines of the version menu, which run nothing,
// have none.
TEST(CommandTable, EveryMenuItemHasItsOwnAccessLetter) {
    QHash<QString, QSet<QChar>> lettersOfMenu;
    int items = 0;
    for (const Command& c : commandTable()) {
        if (c.isToolbarButton() || c.isSeparator()) continue;
        const QString id = QString::fromUtf8(c.id);
        if (id == u"v1" || id == u"v2") {
            EXPECT_EQ(c.accessKey, 0) << c.id;
            continue;
        }
        ++items;
        ASSERT_NE(c.accessKey, 0) << c.id;
        const QChar letter = QChar::fromLatin1(c.accessKey);
        EXPECT_TRUE(letter.isUpper() || letter.isDigit()) << c.id;
        QSet<QChar>& taken = lettersOfMenu[QString::fromUtf8(c.parent)];
        EXPECT_FALSE(taken.contains(letter)) << c.id << " " << c.accessKey;
        taken.insert(letter);
    }
    EXPECT_EQ(items, 84);  // nine menus on the bar, 75 items and submenus in them
}

// Every toolbar button's command is in a menu too, so the keyboard reaches it by its access
// letter: the buttons shown only beside the lookup panel and the page memory included.
TEST(CommandTable, EveryToolbarButtonHasAMenuItem) {
    const QHash<int, QString> menuOf{{1, "of"},     {2, "np"},     {3, "newD"},   {4, "sa"},     {6, "p1"},
                                     {7, "p2"},     {8, "p3"},     {9, "tap"},    {10, "p4"},    {12, "ght"},
                                     {13, "gen"},   {15, "nf"},    {17, "tmem"},  {19, "hpo"},   {21, "en"},
                                     {23, "tlist"}, {24, "tbook"}, {25, "tcomp"}, {27, "tflow"}, {28, "tst"}};
    for (int i = 1; i <= 28; ++i) {
        if (!toolbarCommand(i)) continue;
        ASSERT_TRUE(menuOf.contains(i)) << "toolbar button " << i << " has no menu item";
        const Command* m = menuCommand(menuOf.value(i));
        ASSERT_NE(m, nullptr) << i;
        EXPECT_NE(m->accessKey, 0) << i;
    }
}

TEST(CommandTable, ToolbarIndexesWithoutARowAreTheSeparators) {
    QList<int> separators;
    for (int i = 1; i <= kLastToolbarButton; ++i)
        if (!toolbarCommand(i)) separators << i;
    EXPECT_EQ(separators, (QList<int>{5, 11, 14, 16, 18, 20, 22, 26}));
}

TEST(CommandTable, ShortcutsAreUniqueAndOnTheUsualCommands) {
    QHash<QString, QString> byKey;
    for (const Command& c : commandTable()) {
        if (!*c.shortcut) continue;
        EXPECT_FALSE(byKey.contains(QString::fromLatin1(c.shortcut))) << c.shortcut;
        byKey.insert(QString::fromLatin1(c.shortcut), QString::fromUtf8(c.caption));
    }
    EXPECT_EQ(byKey.value(QStringLiteral("Ctrl+O")), QStringLiteral("呼出"));
    EXPECT_EQ(byKey.value(QStringLiteral("Ctrl+N")), QStringLiteral("新規作成"));
    EXPECT_EQ(byKey.value(QStringLiteral("Ctrl+S")), QStringLiteral("保存"));
    EXPECT_EQ(byKey.value(QStringLiteral("Ctrl+P")), QStringLiteral("印刷‐書き方"));
    EXPECT_EQ(byKey.value(QStringLiteral("F1")), QStringLiteral("ボタンの説明"));
    EXPECT_EQ(byKey.value(QStringLiteral("Ctrl+Q")), QStringLiteral("終了"));
}

using CommandDispatch = WindowTest;

TEST_F(CommandDispatch, ChoosingAnItemMovesTheMarkWithinItsGroupOnly) {
    mw.startUp();
    mw.onMenu(QStringLiteral("np"));
    struct Case {
        const char* item;
        QStringList checkedAfter, uncheckedAfter;
    };
    const Case cases[] = {
        {"ktn", {"ktn", "yp", "sck"}, {"kta"}}, {"kta", {"kta"}, {"ktn"}},
        {"hck", {"hck", "kta"}, {"sck", "dd"}}, {"dd", {"dd"}, {"hck", "sck"}},
        {"nop", {"nop", "dd"}, {"yp"}},         {"lon17", {"lon17", "nop"}, {"lon14", "lon10"}},
        {"psp", {"psp", "lon17"}, {"pn"}},
    };
    for (const Case& c : cases) {
        mw.onMenu(QString::fromUtf8(c.item));
        for (const QString& on : c.checkedAfter)
            EXPECT_TRUE(mw.checked(on)) << c.item << " " << qPrintable(on);
        for (const QString& off : c.uncheckedAfter)
            EXPECT_FALSE(mw.checked(off)) << c.item << " " << qPrintable(off);
    }
}

TEST_F(CommandDispatch, CheckItemsWithoutAGroupToggle) {
    mw.startUp();
    mw.onMenu(QStringLiteral("np"));
    mw.onMenu(QStringLiteral("ptwo"));
    EXPECT_TRUE(mw.checked(QStringLiteral("ptwo")));
    EXPECT_EQ(mw.toolbar[8].picture, 30);
    mw.onMenu(QStringLiteral("ptwo"));
    EXPECT_FALSE(mw.checked(QStringLiteral("ptwo")));
    EXPECT_EQ(mw.toolbar[8].picture, 6);
}

TEST_F(CommandDispatch, WorkbookCommandsAreDisabledUntilAWorkbookIsActive) {
    mw.startUp();
    QStringList menus, buttons;
    for (const Command& c : commandTable()) {
        if (!c.needsWorkbook) continue;
        if (c.isToolbarButton())
            EXPECT_FALSE(mw.toolbar[static_cast<size_t>(c.toolbarIndex)].enabled) << c.toolbarIndex;
        else
            EXPECT_FALSE(mw.menu(QString::fromUtf8(c.id))->enabled) << c.id;
    }
    // A disabled command does nothing.
    mw.onMenu(QStringLiteral("sa"));
    mw.onToolbarClick(4);
    EXPECT_TRUE(platform.proposedSaveNames.isEmpty());

    mw.onMenu(QStringLiteral("np"));
    for (const char* m : {"sa", "p1", "p2", "p3", "tap", "p4", "sel"})
        EXPECT_TRUE(mw.menu(QString::fromUtf8(m))->enabled) << m;
    for (int b : {4, 6, 7, 8, 9, 10, 17}) EXPECT_TRUE(mw.toolbar[static_cast<size_t>(b)].enabled) << b;
}

// The menu items of the buttons shown beside the lookup panel follow those buttons: enabled
// while the button is, and running what it runs.
TEST_F(CommandDispatch, MenuItemsOfPanelButtonsFollowTheButtons) {
    mw.startUp();
    mw.onMenu(QStringLiteral("np"));
    for (const char* m : {"tlist", "tbook", "tcomp", "tflow"})
        EXPECT_FALSE(mw.menu(QString::fromUtf8(m))->enabled) << m;
    EXPECT_TRUE(mw.menu(QStringLiteral("tmem"))->enabled);
    mw.onToolbarClick(12);  // the lookup panel opens
    EXPECT_TRUE(mw.menu(QStringLiteral("tcomp"))->enabled);
    EXPECT_TRUE(mw.menu(QStringLiteral("tflow"))->enabled);
    EXPECT_FALSE(mw.menu(QStringLiteral("tlist"))->enabled) << "no grade list is shown yet";
    mw.onMenu(QStringLiteral("tflow"));
    EXPECT_TRUE(mw.isWindowOpen(WindowId::TextFlow));
    mw.closeWindow(WindowId::TextFlow);
    mw.onMenu(QStringLiteral("tcomp"));
    EXPECT_TRUE(mw.isWindowOpen(WindowId::Company));
    mw.closeWindow(WindowId::Company);
    mw.onToolbarClick(12);  // and closes
    for (const char* m : {"tlist", "tbook", "tcomp", "tflow"})
        EXPECT_FALSE(mw.menu(QString::fromUtf8(m))->enabled) << m;
    mw.onMenu(QStringLiteral("tflow"));
    EXPECT_FALSE(mw.isWindowOpen(WindowId::TextFlow));
}

TEST_F(CommandDispatch, SubmenusAndSeparatorsRunNothing) {
    mw.startUp();
    for (const char* m : {"fa", "sel", "kt", "k9", "vr", "v1"}) {
        mw.onMenu(QString::fromUtf8(m));
        EXPECT_TRUE(platform.messages.empty()) << m;
    }
    mw.onToolbarClick(5);
    mw.onToolbarClick(0);
    mw.onToolbarClick(28);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(CommandDispatch, CancelledPrinterSetupKeepsThePrinterMode) {
    mw.startUp();
    platform.printerAnswers = {false};
    mw.onMenu(QStringLiteral("pst"));
    EXPECT_TRUE(mw.printerDialogEachTime);
    EXPECT_TRUE(mw.checked(QStringLiteral("upri")));
    EXPECT_FALSE(mw.checked(QStringLiteral("pst")));

    mw.onMenu(QStringLiteral("pst"));  // chosen this time
    EXPECT_FALSE(mw.printerDialogEachTime);
    EXPECT_TRUE(mw.checked(QStringLiteral("pst")));

    platform.printerAnswers = {false};
    mw.onMenu(QStringLiteral("pst"));  // a second setup cancelled: still fixed
    EXPECT_FALSE(mw.printerDialogEachTime);
    EXPECT_TRUE(mw.checked(QStringLiteral("pst")));
    EXPECT_EQ(platform.printerDialogs, 3);
}
