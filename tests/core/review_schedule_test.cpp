// The review schedule as a table: a problem's answers and today's date give its state, the
// day it is due and its place in a review test.
#include "core/data/review_schedule.h"

#include <gtest/gtest.h>

namespace {

QDate d(const char* iso) {
    return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
}
Answer right(const char* iso) {
    return {d(iso), true};
}
Answer wrong(const char* iso) {
    return {d(iso), false};
}

struct ScheduleCase {
    const char* name;
    AnswerHistory history;
    const char* today;
    const char* state;  // the text the window shows
    const char* due;    // "" when nothing is scheduled
    bool dueNow;
};

class ScheduleTable : public ::testing::TestWithParam<ScheduleCase> {};

TEST_P(ScheduleTable, StateDueDayAndWhetherDue) {
    const ScheduleCase& c = GetParam();
    const ReviewStatus s = reviewStatus(c.history, d(c.today));
    EXPECT_EQ(reviewStateText(s.state), QString::fromUtf8(c.state));
    EXPECT_EQ(s.due.isValid() ? s.due.toString(Qt::ISODate) : QString(), QString::fromLatin1(c.due));
    EXPECT_EQ(s.dueNow, c.dueNow);
}

const ScheduleCase kScheduleCases[] = {
    {"never_asked", {}, "2026-12-11", "未出題", "", false},
    {"missed_yesterday", {wrong("2026-12-10")}, "2026-12-11", "×", "2026-12-10", true},
    {"missed_today_still_first", {wrong("2026-12-11")}, "2026-12-11", "×", "2026-12-11", true},
    {"right_never_missed", {right("2026-12-01")}, "2026-12-11", "○", "", false},
    {"right_twice_never_missed", {right("2026-11-01"), right("2026-12-01")}, "2026-12-11", "○", "", false},
    {"right_after_miss_due_next_day",
     {wrong("2026-12-09"), right("2026-12-10")},
     "2026-12-11",
     "1日後",
     "2026-12-11",
     true},
    {"right_after_miss_today_not_yet",
     {wrong("2026-12-10"), right("2026-12-11")},
     "2026-12-11",
     "1日後",
     "2026-12-12",
     false},
    {"second_right_week_due",
     {wrong("2026-12-01"), right("2026-12-02"), right("2026-12-03")},
     "2026-12-11",
     "1週間後",
     "2026-12-10",
     true},
    {"second_right_week_not_yet",
     {wrong("2026-12-05"), right("2026-12-06"), right("2026-12-07")},
     "2026-12-11",
     "1週間後",
     "2026-12-14",
     false},
    {"week_due_on_the_day",
     {wrong("2026-12-02"), right("2026-12-03"), right("2026-12-04")},
     "2026-12-11",
     "1週間後",
     "2026-12-11",
     true},
    {"third_right_month_not_yet",
     {wrong("2026-11-01"), right("2026-11-02"), right("2026-11-09"), right("2026-11-16")},
     "2026-12-11",
     "1か月後",
     "2026-12-16",
     false},
    {"third_right_month_due",
     {wrong("2026-10-01"), right("2026-10-02"), right("2026-10-09"), right("2026-10-16")},
     "2026-12-11",
     "1か月後",
     "2026-11-16",
     true},
    {"month_from_january_31_ends_in_february",
     {wrong("2026-01-20"), right("2026-01-21"), right("2026-01-24"), right("2026-01-31")},
     "2026-02-27",
     "1か月後",
     "2026-02-28",
     false},
    {"fourth_right_learned",
     {wrong("2026-09-01"), right("2026-09-02"), right("2026-09-09"), right("2026-10-09"),
      right("2026-11-09")},
     "2026-12-11",
     "○",
     "",
     false},
    {"miss_after_rights", {right("2026-12-01"), wrong("2026-12-08")}, "2026-12-11", "×", "2026-12-08", true},
    {"miss_again_after_day",
     {wrong("2026-12-01"), right("2026-12-02"), wrong("2026-12-03")},
     "2026-12-11",
     "×",
     "2026-12-03",
     true},
    {"new_miss_restarts_the_ladder",
     {wrong("2026-11-01"), right("2026-11-02"), right("2026-11-09"), wrong("2026-12-09"),
      right("2026-12-10")},
     "2026-12-11",
     "1日後",
     "2026-12-11",
     true},
    {"learned_then_missed_then_right",
     {right("2026-10-01"), right("2026-10-02"), wrong("2026-12-01"), right("2026-12-02"),
      right("2026-12-03")},
     "2026-12-11",
     "1週間後",
     "2026-12-10",
     true},
};

INSTANTIATE_TEST_SUITE_P(Histories, ScheduleTable, ::testing::ValuesIn(kScheduleCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A review takes the misses first, then what is due (longest overdue first), then what was
// never asked, then what was answered right; otherwise the given order stays.
TEST(ReviewOrder, GroupsInOrderTiesStable) {
    const std::vector<AnswerHistory> histories = {
        /*0*/ {right("2026-12-01")},                                            // ○
        /*1*/ {},                                                               // 未出題
        /*2*/ {wrong("2026-12-10")},                                            // ×
        /*3*/ {wrong("2026-12-01"), right("2026-12-02"), right("2026-12-03")},  // 1週間後, due 12-10
        /*4*/ {wrong("2026-12-10"), right("2026-12-11")},                       // 1日後, not due
        /*5*/ {wrong("2026-12-09"), right("2026-12-10")},                       // 1日後, due 12-11
        /*6*/ {},                                                               // 未出題
        /*7*/ {right("2026-12-09"), wrong("2026-12-11")},                       // ×
        /*8*/ {wrong("2026-11-20"), right("2026-11-21")},                       // 1日後, due 11-22
    };
    const std::vector<int> expected = {2, 7, 8, 3, 5, 1, 6, 0, 4};
    EXPECT_EQ(reviewOrder(histories, d("2026-12-11")), expected);
}

TEST(ReviewOrder, NextDayBringsTheMissesFirst) {
    // A test of five was marked on the 11th with rows 2 and 5 wrong; on the 12th a review
    // of two brings those two.
    std::vector<AnswerHistory> histories;
    for (int row = 1; row <= 5; ++row)
        histories.push_back({row == 2 || row == 5 ? wrong("2026-12-11") : right("2026-12-11")});
    std::vector<int> order = reviewOrder(histories, d("2026-12-12"));
    order.resize(2);
    EXPECT_EQ(order, (std::vector<int>{1, 4}));
}

}  // namespace
