// The window テスト作成 on the main window's model: a test from a grade appended as one step
// of the history, a test drawn from pages, 採点 into the results, 復習 the next day, and the
// messages when something cannot be done.
#include "core/windows/test_builder/test_builder_window.h"

#include <gtest/gtest.h>

#include "memory_results_store.h"
#include "window_fixture.h"

namespace {

const QString kDataDir = QStringLiteral(JIRAKUBO_DATA_DIR);

struct TestWindow : WindowTest {
    MemoryResultsStore* store = nullptr;  // owned by the window once opened
    QString storeFailure;                 // non-empty: opening the results fails with it
    TestBuilderWindow& tw = mw.testBuilderWindow;

    void SetUp() override {
        WindowTest::SetUp();
        platform.programDir = kDataDir;  // base.moj and onkun.txt
        tw.openResults = [this](QString* message) -> std::unique_ptr<ResultsStore> {
            if (!storeFailure.isEmpty()) {
                *message = storeFailure;
                return nullptr;
            }
            auto s = std::make_unique<MemoryResultsStore>();
            store = s.get();
            return s;
        };
    }
    // The four texts of each problem of page p.
    QStringList problemsOf(int p) const {
        QStringList out;
        for (int row = 1; row <= 10; ++row) {
            TestProblem t;
            if (problemOfRow(wb.page(p), row, &t))
                out << t.before + u'|' + t.word + u'|' + t.reading + u'|' + t.after;
        }
        return out;
    }
};

TEST_F(TestWindow, GradeTestIsAppendedAsOneStepAndRepeatsBySeed) {
    startTyping();
    type(1, 2, QStringLiteral("まえ"));
    mw.openWindow(WindowId::TestBuilder);
    ASSERT_TRUE(tw.isOpen());
    EXPECT_EQ(tw.heading, QStringLiteral("テスト 12月8日 1年"));
    tw.setGrade(3);
    EXPECT_EQ(tw.heading, QStringLiteral("テスト 12月8日 3年"));
    tw.setCount(25);
    tw.setSeed(QStringLiteral("７"));  // full-width, as an input method gives it
    tw.build();
    ASSERT_EQ(wb.headingList.size(), 4) << tw.status.toStdString();
    EXPECT_EQ(wb.headingList.mid(1),
              (QStringList{"テスト 12月8日 3年（1）", "テスト 12月8日 3年（2）", "テスト 12月8日 3年（3）"}));
    EXPECT_EQ(tw.status, QStringLiteral("25問のテストを3ページ加えました（種 7）"));
    EXPECT_EQ(wb.currentPage, 1);
    EXPECT_EQ(mw.combo1.text, QStringLiteral("テスト 12月8日 3年（1）"));
    EXPECT_EQ(problemsOf(1).size(), 10);
    EXPECT_EQ(problemsOf(3).size(), 5);
    // The typed page kept its text.
    EXPECT_EQ(wb.page(0)[slotFieldIndex(1, SlotField::Before)], QStringLiteral("まえ"));
    // The same draw as the command line's with seed 7.
    TestSources sources;
    QString message;
    ASSERT_TRUE(loadTestSources(kDataDir, QStringLiteral("教科書指定なし"), &sources, &message));
    const BuiltTest expected = buildFromKanji(sources.examples, sources.grades, 3, {}, 25, 7);
    EXPECT_EQ(wb.page(1)[slotFieldIndex(1, SlotField::Kanji)], expected.problems[0].word);
    EXPECT_EQ(wb.page(3)[slotFieldIndex(5, SlotField::After)], expected.problems[24].after);
    // A new seed is proposed for the next test.
    EXPECT_NE(tw.seedText, QStringLiteral("7"));
    // One step: undo takes all three pages away, redo brings them back.
    EXPECT_EQ(mw.menu(QStringLiteral("undo"))->caption, QStringLiteral("元に戻す「テスト作成」"));
    mw.undoCommand();
    EXPECT_EQ(wb.headingList.size(), 1);
    mw.redoCommand();
    EXPECT_EQ(wb.headingList.size(), 4);
}

TEST_F(TestWindow, PagesTestDrawsTheChosenPagesInANewOrder) {
    startTyping(QStringLiteral("一"));
    for (int row = 1; row <= 10; ++row) {
        type(row, 2, QStringLiteral("文%1の").arg(row));
        type(row, 3, QStringLiteral("山"));
    }
    mw.openWindow(WindowId::TestBuilder);
    EXPECT_EQ(tw.pageChosen, std::vector<bool>{true});
    tw.setPageChosen(0, true);
    EXPECT_EQ(tw.scope, TestScope::Pages);
    EXPECT_EQ(tw.heading, QStringLiteral("テスト 12月8日 一"));
    tw.setCount(50);
    tw.setSeed(QStringLiteral("3"));
    tw.build();
    ASSERT_EQ(wb.headingList.size(), 2) << tw.status.toStdString();
    QStringList drawn = problemsOf(1), original = problemsOf(0);
    ASSERT_EQ(drawn.size(), 10);
    EXPECT_NE(drawn, original);
    drawn.sort();
    original.sort();
    EXPECT_EQ(drawn, original);
    tw.setPageChosen(0, false);
    tw.setPageChosen(1, false);
    tw.build();
    EXPECT_EQ(platform.messageTexts().last(), QStringLiteral("テストにするページを選んでください"));
    EXPECT_EQ(wb.headingList.size(), 2);
}

TEST_F(TestWindow, MarksGoToTheResultsAndTheReviewBringsTheMissesNextDay) {
    startTyping();
    mw.openWindow(WindowId::TestBuilder);
    tw.setGrade(2);
    tw.setSeed(QStringLiteral("11"));
    tw.build();
    ASSERT_EQ(wb.currentPage, 1);
    // The list shows the page on screen, every problem not yet asked.
    ASSERT_EQ(tw.scoreRows.size(), 10u);
    EXPECT_EQ(tw.scoredHeading, QStringLiteral("テスト 12月8日 2年"));
    EXPECT_EQ(tw.scoreRows[0].state, QStringLiteral("未出題"));
    tw.toggleMark(1);
    tw.setMark(4, true);
    tw.toggleMark(7);
    tw.toggleMark(7);  // turned back to ○
    tw.record();
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(store->transactions, 1);
    ASSERT_EQ(store->rows.size(), 10u);
    int wrong = 0;
    for (const auto& r : store->rows) {
        wrong += !r.right;
        EXPECT_EQ(r.className, QStringLiteral("クラス"));
        EXPECT_EQ(r.date, QDate(2026, 12, 8));
    }
    EXPECT_EQ(wrong, 2);
    EXPECT_FALSE(store->rows[1].right);
    EXPECT_FALSE(store->rows[4].right);
    EXPECT_EQ(tw.scoreRows[1].state, QStringLiteral("×"));
    EXPECT_EQ(tw.scoreRows[0].state, QStringLiteral("○"));
    EXPECT_FALSE(tw.scoreRows[1].wrong);  // the marks start again for the next child
    const QStringList missed = {problemsOf(1)[1], problemsOf(1)[4]};

    platform.clock = platform.clock.addDays(1);
    tw.setCount(2);
    tw.review();
    ASSERT_EQ(wb.headingList.size(), 3) << tw.status.toStdString();
    EXPECT_EQ(wb.headingList[2], QStringLiteral("テスト 12月9日 復習"));
    EXPECT_EQ(problemsOf(2), missed);
    EXPECT_EQ(mw.menu(QStringLiteral("undo"))->caption, QStringLiteral("元に戻す「復習」"));
}

TEST_F(TestWindow, StudentsJoinTheirClass) {
    startTyping();
    mw.openWindow(WindowId::TestBuilder);
    tw.setClassName(QStringLiteral("3年1組"));
    tw.addStudent();
    EXPECT_EQ(tw.status, QStringLiteral("児童の名前を入れてください"));
    tw.setStudent(QStringLiteral(" たなか "));
    tw.addStudent();
    ASSERT_NE(store, nullptr);
    ASSERT_EQ(store->classes.size(), 1u);
    EXPECT_EQ(store->classes[0].students, QStringList{QStringLiteral("たなか")});
    EXPECT_TRUE(tw.classNames.contains(QStringLiteral("3年1組")));
    EXPECT_TRUE(tw.classNames.contains(QStringLiteral("クラス")));
}

TEST_F(TestWindow, WhatCannotBeDoneIsSaidAndChangesNothing) {
    startTyping();
    mw.openWindow(WindowId::TestBuilder);
    tw.setKanji(QStringLiteral("泣く"));
    tw.setGrade(2);
    EXPECT_EQ(tw.scope, TestScope::Kanji);
    tw.build();
    EXPECT_EQ(platform.messageTexts().last(),
              QStringLiteral("「泣」は2年より後に習う漢字です。学年を上げてください"));
    tw.setSeed(QStringLiteral("abc"));
    tw.build();
    EXPECT_EQ(platform.messageTexts().last(), QStringLiteral("種は数で書いてください（「abc」）"));
    tw.takeLookupKanji();
    EXPECT_EQ(tw.status, QStringLiteral("単漢字表示のパネルで漢字を選んでから押してください"));
    EXPECT_EQ(wb.headingList.size(), 1);
    // The first page holds no problem: nothing to mark.
    tw.record();
    EXPECT_EQ(platform.messageTexts().last(),
              QStringLiteral("採点する問題がありません。テストのページを開いてから押してください"));
    tw.review();
    EXPECT_EQ(platform.messageTexts().last(),
              QStringLiteral("「クラス」には、まだ復習する問題がありません。採点して記録してください"));
    // A locked database: the marks stay on screen, nothing is written.
    tw.setGrade(1);
    tw.setScope(TestScope::Grade);
    tw.setSeed(QStringLiteral("1"));
    tw.build();
    ASSERT_EQ(wb.headingList.size(), 2);
    store->failWith = QStringLiteral("記録のデータベースは、ほかのプログラムが使っています。");
    tw.setMark(0, true);
    tw.record();
    EXPECT_EQ(platform.messageTexts().last(),
              QStringLiteral("記録のデータベースは、ほかのプログラムが使っています。"));
    EXPECT_TRUE(store->rows.empty());
    EXPECT_TRUE(tw.scoreRows[0].wrong);
}

TEST_F(TestWindow, ADatabaseThatCannotBeOpenedIsReportedOnce) {
    storeFailure = QStringLiteral("記録のデータベース /x は壊れているか、記録のファイルではありません。");
    startTyping();
    mw.openWindow(WindowId::TestBuilder);
    EXPECT_EQ(platform.messageTexts().last(), storeFailure);
    // Building a test needs no database.
    tw.setSeed(QStringLiteral("5"));
    tw.build();
    EXPECT_EQ(wb.headingList.size(), 2) << tw.status.toStdString();
}

}  // namespace
