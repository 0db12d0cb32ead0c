// The memory list of the main window (Label8, List1, Command1 "メモリー消去"): problems
// taken out of the grid by a click on their number and put back by a click on the list,
// and the page memory of toolbar button 17 "表示項目全削除", which remembers the ten rows
// of the page and refills the rows emptied meanwhile when it is switched off.
//
// Single problems and the page memory are kept apart: up to ten single problems, oldest
// dropped first, and the ten rows of the page memory, each list item backed by one of them.
// The list shows them in the order they were remembered. Button 17 switches only the page
// memory: single problems stay listed until "メモリー消去" empties the list.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "core/data/workbook.h"
#include "core/windows/main/toolbar_buttons.h"

class Platform;

inline constexpr int kMemorySlots = 10;
// Number label colours: before any page was shown, and a row the page memory took.
inline constexpr int kMemoryNumberInitialColor = 0xC0FFC0;
inline constexpr int kMemoryNumberEmptyColor = 0xC0C0FF;
// The memory panel moves this far right when the window widens beside the lookup panel.
inline constexpr int kMemoryPanelShift = 6300;

inline const QString kMemoryListTooltip = QStringLiteral("選択・クリックで復元");
inline const QString kClearMemoryCaption = QStringLiteral("メモリー消去");
inline const QString kClearMemoryQuestion = QStringLiteral("全ての記憶を削除しますが？");
inline const QString kClearMemoryTitle = QStringLiteral("確認メッセ－ジ");
inline const QString kShowSecondWordTooltip = QStringLiteral("５マス表示ボタン");
inline const QString kHideSecondWordTooltip = QStringLiteral("３マス表示ボタン");

// What the memory list needs from the main window.
class MemoryListHost {
public:
    virtual ~MemoryListHost() = default;

    virtual Platform& platform() = 0;

    // Grid cells of rows 1..10. Setting a cell does what the grid's own setter does.
    virtual QString gridText(int row, SlotField field) const = 0;
    virtual void setGridText(int row, SlotField field, const QString& text) = 0;
    // The row's second-word toggle Check3: its value (0 off, 1 on, 2 greyed), switching it
    // (which shows or hides the second word and moves the cursor), and its tooltip.
    virtual int secondWordToggle(int row) const = 0;
    virtual void setSecondWordToggle(int row, bool on) = 0;
    virtual void setSecondWordTooltip(int row, const QString& tooltip) = 0;
    // The row's number label Label1 colour.
    virtual int numberLabelColor(int row) const = 0;
    virtual void setNumberLabelColor(int row, int bgr) = 0;

    // The heading box text and the font name of status-bar panel 2, for the page line.
    virtual QString headingBoxText() const = 0;
    virtual QString fontName() const = 0;

    // The picture of toolbar button 表示項目全削除, the window width, and the lookup panel's
    // example button "例文表示", shown again when the window narrows back to the lookup panel.
    virtual void setToolButtonPicture(ToolbarButton button, Picture picture) = 0;
    virtual int windowWidth() const = 0;
    virtual void setWindowWidth(int twips) = 0;
    virtual void showExampleButton() = 0;
    // The name of the step the current change makes in the workbook's history.
    virtual void nameStep(const QString&) {}
};

// One remembered problem: the seven texts and the toggle value as text ("0", "1", "2").
struct MemorySlot {
    QString before, kanji, reading, after, toggle, kanji2, reading2, after2;
    // The list text: before + kanji + after, and kanji2 + after2 when the second word showed.
    QString listText() const;
};

class MemoryList {
public:
    explicit MemoryList(MemoryListHost& host);

    // --- controls ---
    bool visible = false;       // Label8, List1 and Command1 together
    int offset = 0;             // 0, or kMemoryPanelShift beside the lookup panel
    QString label8;             // the message
    QStringList list1;          // the items
    bool list1Enabled = false;  // from the first registered heading
    QString list1Tooltip = kMemoryListTooltip;
    QString command1Caption = kClearMemoryCaption;
    Picture buttonPicture = kMemoryPictureEmpty;  // toolbar button 表示項目全削除

    // --- state ---
    std::vector<MemorySlot> singles;       // oldest first, at most ten
    std::array<MemorySlot, 11> pageSlots;  // [1..10], while the page memory is on
    bool pageMemoryOn = false;
    QString lastRemoved;

    // What list item k restores.
    const MemorySlot* slotOfItem(int k) const;
    // The ten lines the clipboard gets after a removal.
    QString clipboardText() const;

    // --- events ---
    void onNumberLabelClick(int row);  // "削除して記憶"
    void onListClick(int k);           // restore item k
    void onClearButton();              // "メモリー消去"
    void onToolbarButton();            // button 17: page memory on, or off when it is on
    void pageMemoryOnCommand();
    void pageMemoryOffCommand();
    void setVisible(bool on) { visible = on; }

private:
    // Which store each list item comes from, in list order.
    struct Item {
        bool page = false;
        int index = 0;  // singles index or page row
    };
    std::vector<Item> items_;

    void setPicture(Picture picture);
    void widenBesideLookup();
    void narrowToLookup();
    void rebuildList();
    void clearAll();
    int firstEmptyRow() const;

    MemoryListHost& host_;
};
