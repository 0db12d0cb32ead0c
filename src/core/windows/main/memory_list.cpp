#include "core/windows/main/memory_list.h"

#include "core/data/field_stream.h"
#include "core/platform.h"
#include "core/windows/main/lookup_panel.h"

namespace {

bool narrowerThanMemory(int width) {
    return width > 12000 && width < 15000;
}

}  // namespace

QString MemorySlot::listText() const {
    QString text = before + kanji + after;
    if (toggle == u"1") text += kanji2 + after2;
    return text;
}

MemoryList::MemoryList(MemoryListHost& host) : host_(host) {}

const MemorySlot* MemoryList::slotOfItem(int k) const {
    if (k < 0 || k >= static_cast<int>(items_.size())) return nullptr;
    const Item& item = items_[static_cast<size_t>(k)];
    if (item.page) return &pageSlots[static_cast<size_t>(item.index)];
    return &singles[static_cast<size_t>(item.index)];
}

QString MemoryList::clipboardText() const {
    QString text;
    for (int i = 0; i < kMemorySlots; ++i) {
        if (i < static_cast<int>(singles.size())) text += singles[static_cast<size_t>(i)].listText();
        text += QStringLiteral("\r\n");
    }
    return text;
}

void MemoryList::setPicture(Picture picture) {
    buttonPicture = picture;
    host_.setToolButtonPicture(kClearAllButton, picture);
}

// Beside the lookup panel the window widens to hold the memory panel too.
void MemoryList::widenBesideLookup() {
    if (!narrowerThanMemory(host_.windowWidth())) return;
    host_.setWindowWidth(kWindowWidthMemory);
    offset = kMemoryPanelShift;
}

void MemoryList::narrowToLookup() {
    if (host_.windowWidth() <= 15000) return;
    host_.setWindowWidth(kWindowWidthLookup);
    host_.showExampleButton();
    offset = 0;
}

void MemoryList::rebuildList() {
    list1.clear();
    for (int k = 0; k < static_cast<int>(items_.size()); ++k) list1 << slotOfItem(k)->listText();
}

void MemoryList::clearAll() {
    singles.clear();
    pageSlots = {};
    pageMemoryOn = false;
    items_.clear();
    list1.clear();
}

// The first row the alarm check counts as empty: no before, kanji, after, kanji2, after2.
int MemoryList::firstEmptyRow() const {
    for (int r = 1; r <= 10; ++r) {
        bool empty = true;
        for (SlotField f :
             {SlotField::Before, SlotField::Kanji, SlotField::After, SlotField::Kanji2, SlotField::After2})
            empty = empty && host_.gridText(r, f).isEmpty();
        if (empty) return r;
    }
    return 0;
}

void MemoryList::onNumberLabelClick(int row) {
    if (row < 1 || row > 10) return;
    if (buttonPicture == kMemoryPictureEmpty) setPicture(kMemoryPictureHolding);
    visible = true;

    const auto text = [&](SlotField f) { return host_.gridText(row, f); };
    if (!(text(SlotField::Before) + text(SlotField::Kanji) + text(SlotField::After)).isEmpty()) {
        if (static_cast<int>(singles.size()) >= kMemorySlots) {
            // The oldest problem goes, from the slots and from the list.
            singles.erase(singles.begin());
            for (auto it = items_.begin(); it != items_.end();) {
                if (!it->page && it->index == 0) {
                    it = items_.erase(it);
                    continue;
                }
                if (!it->page) --it->index;
                ++it;
            }
        }
        MemorySlot slot{text(SlotField::Before),
                        text(SlotField::Kanji),
                        text(SlotField::Reading),
                        text(SlotField::After),
                        QString::number(host_.secondWordToggle(row)),
                        text(SlotField::Kanji2),
                        text(SlotField::Reading2),
                        text(SlotField::After2)};
        singles.push_back(slot);
        items_.push_back({false, static_cast<int>(singles.size()) - 1});
        lastRemoved = slot.listText();
        host_.setSecondWordToggle(row, false);
        // Before any page was shown the grid is left as it is.
        if (host_.numberLabelColor(row) != kMemoryNumberInitialColor)
            for (SlotField f : {SlotField::Before, SlotField::Kanji, SlotField::Reading, SlotField::After,
                                SlotField::Kanji2, SlotField::Reading2, SlotField::After2})
                host_.setGridText(row, f, QString());
    }
    widenBesideLookup();
    rebuildList();
    host_.platform().setClipboardText(clipboardText());
    label8 = u'【' + lastRemoved + QStringLiteral("】をクリップボードに書きこみました");
    host_.setSecondWordTooltip(row, kShowSecondWordTooltip);
}

void MemoryList::onListClick(int k) {
    host_.nameStep(QStringLiteral("メモリーから戻す"));
    label8.clear();
    const MemorySlot* slot = slotOfItem(k);
    if (!slot) return;
    const int r = firstEmptyRow();
    if (r == 0) return;
    host_.setGridText(r, SlotField::Before, slot->before);
    host_.setGridText(r, SlotField::Kanji, slot->kanji);
    host_.setGridText(r, SlotField::Reading, slot->reading);
    host_.setGridText(r, SlotField::After, slot->after);
    if (slot->toggle == u"0" || slot->toggle.isEmpty()) return;
    host_.setGridText(r, SlotField::Kanji2, slot->kanji2);
    host_.setGridText(r, SlotField::Reading2, slot->reading2);
    host_.setGridText(r, SlotField::After2, slot->after2);
    if (slot->toggle == u"1") {
        host_.setSecondWordToggle(r, true);
        host_.setSecondWordTooltip(r, kHideSecondWordTooltip);
    }
}

void MemoryList::onClearButton() {
    if (host_.platform().messageBox(kClearMemoryQuestion, kClearMemoryTitle, MessageButtons::YesNo,
                                    MessageIcon::Question) != MessageAnswer::Yes)
        return;
    clearAll();
    setPicture(kMemoryPictureEmpty);
    narrowToLookup();
    visible = false;
}

// The button switches the page memory on and off. Problems taken out one by one are not
// part of it: they stay in the list until "メモリー消去" empties it.
void MemoryList::onToolbarButton() {
    if (pageMemoryOn)
        pageMemoryOffCommand();
    else
        pageMemoryOnCommand();
}

void MemoryList::pageMemoryOnCommand() {
    visible = true;
    setPicture(kMemoryPictureHolding);
    widenBesideLookup();
    if (pageMemoryOn) std::erase_if(items_, [](const Item& i) { return i.page; });
    QStringList line{host_.headingBoxText(), QString()};
    for (int i = 1; i <= 10; ++i) {
        MemorySlot& slot = pageSlots[static_cast<size_t>(i)];
        slot = {};
        slot.before = host_.gridText(i, SlotField::Before);
        slot.kanji = host_.gridText(i, SlotField::Kanji);
        slot.reading = host_.gridText(i, SlotField::Reading);
        slot.after = host_.gridText(i, SlotField::After);
        slot.toggle = QStringLiteral("0");
        host_.setNumberLabelColor(i, kMemoryNumberEmptyColor);
        items_.push_back({true, i});
        line << slot.before << slot.kanji << slot.reading << slot.after;
    }
    pageMemoryOn = true;
    rebuildList();
    line << host_.fontName();
    host_.platform().setClipboardText(joinFields(line) + QStringLiteral("\r\n"));
}

void MemoryList::pageMemoryOffCommand() {
    if (pageMemoryOn) {
        for (int i = 1; i <= 10; ++i) {
            bool empty = true;
            for (SlotField f : {SlotField::Before, SlotField::Kanji, SlotField::Reading, SlotField::After})
                empty = empty && host_.gridText(i, f).isEmpty();
            if (!empty) continue;
            const MemorySlot& slot = pageSlots[static_cast<size_t>(i)];
            host_.setGridText(i, SlotField::Before, slot.before);
            host_.setGridText(i, SlotField::Kanji, slot.kanji);
            host_.setGridText(i, SlotField::Reading, slot.reading);
            host_.setGridText(i, SlotField::After, slot.after);
        }
    }
    pageSlots = {};
    pageMemoryOn = false;
    std::erase_if(items_, [](const Item& i) { return i.page; });
    rebuildList();
    // Single problems still listed keep the panel open.
    if (!singles.empty()) return;
    narrowToLookup();
    visible = false;
    setPicture(kMemoryPictureEmpty);
    clearAll();
}
