#include "core/data/review_schedule.h"

#include <algorithm>

QString reviewStateText(ReviewState state) {
    switch (state) {
    case ReviewState::NeverAsked: return QStringLiteral("未出題");
    case ReviewState::Missed: return QStringLiteral("×");
    case ReviewState::AfterDay: return QStringLiteral("1日後");
    case ReviewState::AfterWeek: return QStringLiteral("1週間後");
    case ReviewState::AfterMonth: return QStringLiteral("1か月後");
    case ReviewState::Learned: return QStringLiteral("○");
    }
    return {};
}

ReviewStatus reviewStatus(const AnswerHistory& history, const QDate& today) {
    ReviewStatus status;
    if (history.empty()) return status;
    if (!history.back().right) {
        status.state = ReviewState::Missed;
        status.due = history.back().date;
        status.dueNow = true;
        return status;
    }
    // Right answers since the last miss, and whether there was a miss at all.
    int rightInRow = 0;
    bool missedBefore = false;
    for (auto it = history.rbegin(); it != history.rend(); ++it) {
        if (!it->right) {
            missedBefore = true;
            break;
        }
        ++rightInRow;
    }
    const QDate last = history.back().date;
    if (!missedBefore || rightInRow > 3) {
        status.state = ReviewState::Learned;
        return status;
    }
    switch (rightInRow) {
    case 1:
        status.state = ReviewState::AfterDay;
        status.due = last.addDays(1);
        break;
    case 2:
        status.state = ReviewState::AfterWeek;
        status.due = last.addDays(7);
        break;
    default:
        status.state = ReviewState::AfterMonth;
        status.due = last.addMonths(1);
        break;
    }
    status.dueNow = status.due.isValid() && today.isValid() && status.due <= today;
    return status;
}

ReviewGroup reviewGroup(const ReviewStatus& status) {
    switch (status.state) {
    case ReviewState::Missed: return ReviewGroup::MissedLastTime;
    case ReviewState::NeverAsked: return ReviewGroup::NeverAsked;
    case ReviewState::Learned: return ReviewGroup::AnsweredRight;
    case ReviewState::AfterDay:
    case ReviewState::AfterWeek:
    case ReviewState::AfterMonth: return status.dueNow ? ReviewGroup::DueAgain : ReviewGroup::AnsweredRight;
    }
    return ReviewGroup::NeverAsked;
}

std::vector<int> reviewOrder(const std::vector<AnswerHistory>& histories, const QDate& today) {
    struct Item {
        int index;
        ReviewGroup group;
        QDate due;
    };
    std::vector<Item> items;
    items.reserve(histories.size());
    for (size_t i = 0; i < histories.size(); ++i) {
        const ReviewStatus s = reviewStatus(histories[i], today);
        items.push_back({static_cast<int>(i), reviewGroup(s), s.due});
    }
    std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        if (a.group != b.group) return a.group < b.group;
        if (a.group == ReviewGroup::DueAgain) return a.due < b.due;
        return false;
    });
    std::vector<int> order;
    order.reserve(items.size());
    for (const Item& it : items) order.push_back(it.index);
    return order;
}
