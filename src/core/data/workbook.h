// The workbook in memory: the page records, the heading list, the file line of every page
// and the example table filled from base.moj.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <bitset>
#include <deque>
#include <vector>

inline constexpr int kPageRecordFields = 75;  // fields 0..74
inline constexpr int kPageTableRows = 2001;   // page indexes 0..2000
inline constexpr int kMaxPages = 201;         // PageLines 0..200
inline constexpr int kExampleRows = 2001;
inline constexpr int kExampleFields = 44;
inline constexpr int kMojxFields = 74;
inline constexpr int kMojFields = 43;
inline const QString kDefaultFontName = QStringLiteral("ＭＳ Ｐ明朝");

using PageRecord = std::array<QString, kPageRecordFields>;
using ExampleRecord = std::array<QString, kExampleFields>;

// The seven texts of one problem row.
enum class SlotField { Before, Kanji, Reading, After, Kanji2, Reading2, After2 };

// PageRecord field index of a slot text, row 1..10.
constexpr int slotFieldIndex(int row, SlotField f) {
    switch (f) {
    case SlotField::Before: return 2 + 4 * (row - 1);
    case SlotField::Kanji: return 3 + 4 * (row - 1);
    case SlotField::Reading: return 4 + 4 * (row - 1);
    case SlotField::After: return 5 + 4 * (row - 1);
    case SlotField::Kanji2: return 44 + 3 * (row - 1);
    case SlotField::Reading2: return 45 + 3 * (row - 1);
    case SlotField::After2: return 46 + 3 * (row - 1);
    }
    return 0;
}
inline constexpr int kHeadingField = 0;
inline constexpr int kFontField = 42;
inline constexpr int kCarriedField = 43;

// Problem number of row 1..10 on page index p.
constexpr int problemNumber(int pageIndex, int row) {
    return 10 * pageIndex + row;
}
// Page index from the number shown in row 1: the number without its last digit.
int pageIndexFromNumber(const QString& rowOneNumber);
// " 3頁" for page index 2.
QString pageNumberText(int pageIndex);

// The file line of a page: fields 0..73 of the record joined by commas, with field 1
// written empty and field 42 replaced by fontName.
QString pageLine(const PageRecord& record, const QString& fontName);

// The page table has room for kPageTableRows pages and the example table for kExampleRows
// records, but holds only the rows written so far (a row not yet written reads as empty):
// a print of one page does not make and clear some 6 MB of empty texts it never reads. The
// tables grow at their end only, so a reference to a row stays valid while others are added.
struct Workbook {
    std::deque<PageRecord> pageTable;
    QStringList headingList;
    std::array<QString, kMaxPages> pageLines;
    std::deque<ExampleRecord> exampleTable;
    int exampleCount = 0;
    QString currentFilePath;
    QString exampleFilePath;
    int currentPage = 0;
    int pageCount = 0;

    // Row index (0..kPageTableRows - 1), made with the rows before it when not there yet. The
    // one way to write a page: it notes the page (of the first kMaxPages) in touchedPages.
    PageRecord& page(int index);
    // Row index; an empty record for a row not written yet.
    const PageRecord& page(int index) const;
    // Example record index (0..kExampleRows - 1), made when not there yet.
    ExampleRecord& example(int index);
    // The pages reached for writing since the history last recorded a step: it compares only
    // these with what it saw, so a step costs the same on one page as on 201. A file line is
    // written with its page.
    std::bitset<kMaxPages> touchedPages;

    // Whether another page may be added to the heading list.
    bool hasRoomForPage() const { return headingList.size() < kMaxPages; }
};
