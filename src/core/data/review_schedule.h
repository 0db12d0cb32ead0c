// When a problem comes back: its state from the history of its answers, and the order in
// which a review test takes problems. Plain functions of the history and today's date.
#pragma once

#include <QDate>
#include <QString>
#include <vector>

// One answer to a problem: the day it was asked and whether it was right.
struct Answer {
    QDate date;
    bool right = false;
};
// Every answer to one problem, oldest first.
using AnswerHistory = std::vector<Answer>;

// What a problem's history says about its next turn.
enum class ReviewState {
    NeverAsked,  // 未出題
    Missed,      // × : wrong last time; comes first next time
    AfterDay,    // 1日後 : right once after a miss; back a day later
    AfterWeek,   // 1週間後 : right twice after a miss; back a week later
    AfterMonth,  // 1か月後 : right three times after a miss; back a month later
    Learned,     // ○ : right, and nothing scheduled
};

struct ReviewStatus {
    ReviewState state = ReviewState::NeverAsked;
    QDate due;            // the day a scheduled problem is due again (AfterDay .. AfterMonth)
    bool dueNow = false;  // due on or before today (always, for a miss)
};

// The text the window shows for a state: 未出題, ×, 1日後, 1週間後, 1か月後, ○.
QString reviewStateText(ReviewState state);

// A problem's state on `today`. After a miss, the first right answer schedules it a day
// later, the second a week later, the third a month later; a fourth right answer in a row
// (or a right answer with no miss before it) leaves it learned.
ReviewStatus reviewStatus(const AnswerHistory& history, const QDate& today);

// The groups of a review test, in the order they are taken.
enum class ReviewGroup { MissedLastTime = 0, DueAgain = 1, NeverAsked = 2, AnsweredRight = 3 };
ReviewGroup reviewGroup(const ReviewStatus& status);

// The order in which a review takes the problems whose histories are given: missed last
// time first, then those due again (the longest overdue first), then those never asked,
// then those answered right (learned, or scheduled but not yet due). Within a group the
// given order is kept. Returns indexes into histories.
std::vector<int> reviewOrder(const std::vector<AnswerHistory>& histories, const QDate& today);
