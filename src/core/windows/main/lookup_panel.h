// The kanji lookup panel of the main window (the single-kanji display, Frame1 "検索/表示"):
// the kanji of a school grade or of a reading search in 10 x 10 cells, pages of a hundred,
// copying a clicked kanji and its reading into the problem grid (one word, or a compound
// built from several clicks), example sentences from base.moj, and the two prints that
// start from it: the kanji practice book and the grade table.
//
// The controls keep their design names; the panel reaches the rest of the main window
// through LookupPanelHost.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

#include "core/data/reading_dictionary.h"
#include "core/data/workbook.h"
#include "core/windows/control_state.h"
#include "core/windows/main/toolbar_buttons.h"

class Platform;
class PrintSurface;
struct ModelShift;

// Background of the grade buttons and of the cells holding a kanji of that grade, [1..6].
inline constexpr std::array<int, 7> kGradeColors{0xFFFFFF, 0x8080FF, 0x80C0FF, 0x80FFFF,
                                                 0xC0FFC0, 0xFFFF80, 0xFFC0C0};
inline constexpr int kLookupCells = 100;    // Label101(0..99), a page of the list
inline constexpr int kLookupFontSize = 22;  // points
// Main window widths in twips: without the panel, with it, with the memory panel beside it.
inline constexpr int kWindowWidthPlain = 9700;
inline constexpr int kWindowWidthLookup = 12300;
inline constexpr int kWindowWidthMemory = 15700;

inline const QString kNextPageCaption = QStringLiteral("次へ");
inline const QString kFirstPageCaption = QStringLiteral("戻る");
inline const QString kExamplesOffCaption = QStringLiteral("例文表示");   // mode off
inline const QString kExamplesOnCaption = QStringLiteral("例文非表示");  // mode on
inline const QString kExampleHint = QStringLiteral("表示された例文をクッリク");
inline const QString kRegisterHeadingMessage = QStringLiteral("新しい頁の見出しを登録をしてください");
inline const QString kExampleFileName = QStringLiteral("base.moj");

// What the panel needs from the main window.
class LookupPanelHost {
public:
    virtual ~LookupPanelHost() = default;
    // The name of the step the current change makes in the workbook's history.
    virtual void nameStep(const QString&) {}

    virtual Platform& platform() = 0;
    // Status-bar panel 5: the textbook company, or "教科書指定なし".
    virtual QString company() const = 0;
    // The program-wide reading dictionary (reloaded by every grade click; its result table
    // is the lookup list) and the workbook, whose example table base.moj fills.
    virtual ReadingDictionary& readingDictionary() = 0;
    virtual Workbook& workbook() = 0;

    // Grid cells of rows 1..10. Setting a cell does what the grid's own setter does (cell
    // width, alarm colours).
    virtual QString gridText(int row, SlotField field) const = 0;
    virtual void setGridText(int row, SlotField field, const QString& text) = 0;
    // The row of the grid cursor, the row the teacher chose (1..10); 0 when there is none.
    virtual int gridCursorRow() const { return 0; }
    // Whether the reading of row 1..10 is ふりがな自動's proposal for the word of the row.
    virtual bool gridReadingProposed(int) const { return false; }

    // Toolbar buttons 単漢字表示 (picture), 一覧表印刷, 漢字練習帳, 教科書会社選択 and 文章の流し込み,
    // and the menu item "学年配当表印刷" (hth).
    virtual void setToolButtonVisible(ToolbarButton button, bool visible) = 0;
    virtual void setToolButtonEnabled(ToolbarButton button, bool enabled) = 0;
    virtual void setToolButtonPicture(ToolbarButton button, Picture picture) = 0;
    virtual void setMenuEnabled(const QString& name, bool enabled) = 0;
    // The commands that work on a page, enabled by a grade click.
    virtual void enablePageCommands() = 0;

    // Window layout.
    virtual void setWindowWidth(int twips) = 0;
    virtual void setMemoryPanelVisible(bool visible) = 0;
    virtual void setArrowPadVisible(bool visible) = 0;
    virtual void setTitleLabelVisible(bool visible) = 0;  // Label12
    // Opens a blank page when none is on screen (row 1's number label is empty): page 1
    // when the workbook has none, else page count + 1.
    virtual void ensurePageOnScreen() = 0;

    // The heading box (Combo1), the heading label (Label9) and the register button.
    virtual QString headingBoxText() const = 0;
    virtual void setHeadingBoxColor(int bgr) = 0;
    virtual void focusHeadingBox() = 0;
    virtual QString headingLabel() const = 0;
    virtual void showRegisterButton() = 0;
};

struct LookupCell {
    QString caption;
    QString tooltip;
    int backColor = kColorWhite;
    bool border = false;  // the selection border of the last clicked cell
    bool visible = false;
    int fontSize = kLookupFontSize;
};

// One example sentence found for a kanji.
struct ExampleSlot {
    QString before, kanji, reading, after;
};

// The reading a click copies from a reading field of the dictionary: the first reading,
// without its okurigana, in hiragana ("い(きる)・い(かす)" gives い, "いち・いつ" いち).
QString firstReading(const QString& field);
// A lookup cell's tooltip: every on and kun reading of its kanji, one kind a line.
QString readingsTooltip(const DictionaryRecord& rec);

// Example sentences using a kanji: problems of the example table whose kanji word has it as
// its first or second character, in file order, at most `limit`.
std::vector<ExampleSlot> findExamples(const Workbook& workbook, const QString& kanji, int limit);

class LookupPanel {
public:
    explicit LookupPanel(LookupPanelHost& host);

    // --- controls ---
    bool visible = false;  // Frame1 and the panel around it
    QString frame1Caption = QStringLiteral("検索/表示");
    QString frame1Tooltip = QStringLiteral("音・訓を選択して検索します");
    std::array<ButtonControl, 6> command202;  // grade buttons "1年" .. "６年"
    std::array<LookupCell, kLookupCells> label101;
    ButtonControl command101;  // page button
    QString text2;             // reading search box
    QString text2Tooltip = QStringLiteral("ひらがなを入力してクリック");
    bool option1 = true;                   // "音"
    bool option2 = false;                  // "訓"
    bool check1 = false;                   // "熟語編成": compound mode
    ButtonControl command4;                // example mode
    std::array<LabelControl, 5> label303;  // example lines 0..3, hint 4
    LabelControl label202;                 // clear button
    // "書き順": the practice book's model in the stroke-order face. The view tells whether
    // the face is installed.
    bool strokeOrder = false;
    bool strokeOrderFaceInstalled = false;

    // --- state ---
    int grade = 0;           // 1..6; 0 while a search result is shown
    int page = 0;            // page of the list shown (0: rows 1..100)
    int q = 1;               // target row of the grid
    int selectedCell = -1;   // the cell carrying the selection border, -1 before any click
    QStringList gradeTable;  // lines of the grade table print
    std::array<ExampleSlot, 4> examples;
    QString practiceKanji;  // what the last practice book printed
    // The grade of the grade table print.
    int gradeTableGrade = 0;

    int pageCount() const;
    const DictionaryTable& list() const;
    // The list row cell k shows (1-based), 0 when it shows none.
    int listRowOfCell(int k) const;

    // --- events ---
    void toggle();  // toolbar button 12, menu "表示する"
    void show();
    void hide();                   // menu "表示しない"
    void onGradeClick(int grade);  // 1..6
    void onPageButton();
    void onSearch();  // Enter in the search box
    void onOption1Click();
    void onOption2Click();
    void setSearchText(const QString& text);
    void onCheck1Click();
    void onCellClick(int k);
    void onExampleModeToggle();
    void onExampleClick(int n);
    void onClearButton();
    void onEntryBoxFocus();  // the entry box switches compound mode off
    void onStrokeOrderClick();

    // --- prints ---
    bool gradeTableShown() const { return !gradeTable.isEmpty(); }
    // The kanji the next practice book prints: the selected cell's, else the last one printed.
    QString practiceKanjiToPrint() const;
    // The practice book of the selected cell (no endDocument), its model moved by `shift`.
    void drawPracticeBook(PrintSurface& s, const QString& statusFontName, const QString& pageFontName,
                          const ModelShift& shift);
    // The grade table of the last grade click (no endDocument).
    void drawGradeTable(PrintSurface& s, const QString& statusFontName, const QString& pageFontName) const;

private:
    void buildList();
    void showListPage();
    void setCellCaption(int k, const QString& text);
    void onCell0Changed();
    void updatePageButton();
    void writeCell(int row, SlotField field, const QString& text);
    int firstRowWithoutKanji() const;
    // The row a copy goes to: the cursor's row while its word is empty, else the first row
    // without a word; with every row filled, the cursor's row, whose problem is replaced only
    // when the teacher says so (what names the thing copied in the question). 0: nowhere.
    int copyTarget(const QString& what);
    int lastCopied_ = 0;  // the row the last single copy went to, which an empty cell's click empties
    void loadExamples();
    bool examplesOn() const { return command4.caption == kExamplesOnCaption; }

    LookupPanelHost& host_;
    // The search the list was built from: a click rebuilds the list the cells show, not
    // one from a search text edited since.
    QString lastSearch_;
    bool lastSearchOn_ = true;
};
