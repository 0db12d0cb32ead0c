// The window "テスト作成": a test built in one step from the pages of the open workbook, the
// kanji of a grade or kanji the teacher names, appended to the workbook as new pages (one
// step of the history); then 採点 (each problem of the page on screen marked ○ or ×, for the
// class or a student, into the results) and 復習 (a test of what the results bring back).
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "core/data/results_store.h"
#include "core/data/test_builder.h"
#include "core/data/test_sources.h"
#include "core/platform.h"
#include "core/windows/window_model.h"

// What the test window reads and writes of the main window beyond the shared context: the
// workbook its tests join, the company and the lookup panel's kanji.
class TestBuilderHost {
public:
    virtual ~TestBuilderHost() = default;
    virtual Workbook& workbook() = 0;
    // Status-bar panel 5 (教科書指定なし or a company).
    virtual QString company() const = 0;
    // The kanji of the lookup panel's selected cell, empty when none is selected.
    virtual QString lookupKanji() const = 0;
    // Stores what the grid shows into the page on screen, so that its last typing counts.
    virtual void storePageOnScreen() = 0;
    // Appends the pages to the open workbook (a workbook with none gets them as its first)
    // and shows the first of them; one step of the history.
    virtual void appendTestPages(const std::vector<PageRecord>& pages) = 0;
};

enum class TestScope { Pages, Grade, Kanji };

// One problem of the page being marked.
struct ScoreRow {
    int row = 0;  // 1..10 on the page
    TestProblem problem;
    bool wrong = false;
    QString state;  // 未出題, ×, 1日後, 1週間後, 1か月後, ○ before this marking
};

class TestBuilderWindow : public WindowModel {
public:
    static constexpr const char* kName = "テスト作成";

    TestBuilderWindow(WindowContext& context, TestBuilderHost& host);
    QString title() const override { return QString::fromUtf8(kName); }

    // Opens the results database when first needed; set by whoever knows where it lives
    // (the program: the user's file; a test: memory).
    std::function<std::unique_ptr<ResultsStore>(QString* message)> openResults;

    // --- what the window shows ---
    TestScope scope = TestScope::Grade;
    QStringList pageHeadings;      // the open workbook's pages
    std::vector<bool> pageChosen;  // the pages a test is drawn from
    int grade = 1;                 // 1..6
    QString kanji;                 // typed or taken from the lookup panel
    int count = 10;                // 1..50
    QString heading;               // proposed from the scope until the teacher edits it
    bool headingEdited = false;
    QString seedText;  // the seed the next test is drawn with
    QString status;    // what the last action did, or why it did nothing

    QStringList classNames;  // the roster's classes, the default one first when empty
    QString className = kDefaultClassName;
    QString student;                  // empty: the class as a whole
    QString scoredHeading;            // the page whose problems are listed for marking
    int scoredPage = -1;              // its index in the workbook
    std::vector<ScoreRow> scoreRows;  // its problems
    int currentRow = 0;               // the list's current row (keyboard)

    // --- events ---
    void setScope(TestScope s);
    void setPageChosen(int index, bool on);
    void setGrade(int g);
    void setKanji(const QString& text);
    void takeLookupKanji();  // パネルの漢字
    void setCount(int n);
    void setHeading(const QString& text);
    void setSeed(const QString& text);
    void newSeed();  // 新しい種
    void build();    // 作成

    void setClassName(const QString& name);
    void setStudent(const QString& name);
    void addStudent();        // 児童を加える: the name in `student` joins the class's roster
    void markPageOnScreen();  // the list shows the page on screen (採点する頁)
    void toggleMark(int index);
    void setMark(int index, bool wrong);
    void record();  // 記録: the marks in one transaction
    void review();  // 復習: a test of `count` problems from the class's results

    // The proposed heading for the scope: テスト M月D日 and the scope.
    QString proposedHeading() const;

protected:
    void load() override;

private:
    bool ensureSources();
    ResultsStore* results();
    void refreshStates();
    void fail(const QString& message);
    QDate today() const;
    std::vector<TestProblem> drawProblems(quint64 seed, int howMany, BuiltTest* built);

    TestBuilderHost& host_;
    TestSources sources_;
    QString sourcesCompany_;
    bool sourcesLoaded_ = false;
    std::unique_ptr<ResultsStore> store_;
};
