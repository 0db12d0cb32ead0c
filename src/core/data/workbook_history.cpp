#include "core/data/workbook_history.h"

#include <unordered_set>

namespace {

bool sameText(const QString& a, const QString& b) {
    // Most texts are the very string the last step saw: no need to look at the characters.
    if (a.size() != b.size()) return false;
    return a.constData() == b.constData() || a == b;
}

bool sameRecord(const PageRecord& a, const PageRecord& b) {
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!sameText(a[i], b[i])) return false;
    return true;
}

}  // namespace

WorkbookHistory::WorkbookHistory(std::size_t limit) : limit_(limit < 1 ? 1 : limit) {}

void WorkbookHistory::reset(const Workbook& workbook, const QStringList& windowState) {
    steps_.clear();
    applied_ = 0;
    savedAt_ = 0;
    lastStepOpen_ = false;
    takeBaseline(workbook);
    base_.windowState = windowState;
}

void WorkbookHistory::takeBaseline(const Workbook& workbook) {
    base_.pages.resize(kMaxPages);
    for (int p = 0; p < kMaxPages; ++p) base_.pages[static_cast<size_t>(p)] = workbook.page(p);
    base_.lines.assign(workbook.pageLines.begin(), workbook.pageLines.end());
    base_.headings = workbook.headingList;
    base_.pageCount = workbook.pageCount;
}

std::optional<WorkbookHistory::Step> WorkbookHistory::diff(const Workbook& workbook) const {
    Step step;
    for (int p = 0; p < kMaxPages; ++p) {
        const auto i = static_cast<std::size_t>(p);
        if (!workbook.touchedPages.test(i)) continue;
        const PageRecord& now = workbook.page(p);
        const QString& line = workbook.pageLines[i];
        if (sameRecord(now, base_.pages[i]) && sameText(line, base_.lines[i])) continue;
        step.pages.push_back({p, base_.pages[i], now, base_.lines[i], line});
    }
    const bool headingsChanged = workbook.headingList != base_.headings;
    if (step.pages.empty() && !headingsChanged && workbook.pageCount == base_.pageCount) return std::nullopt;
    step.headingsBefore = base_.headings;
    step.headingsAfter = workbook.headingList;
    step.pageCountBefore = base_.pageCount;
    step.pageCountAfter = workbook.pageCount;
    return step;
}

bool WorkbookHistory::record(Workbook& workbook, const QString& name, int pageOnScreen,
                             const QString& mergeKey, const QStringList& windowState) {
    if (base_.pages.empty()) {  // never reset: the workbook as it is now is where it starts
        takeBaseline(workbook);
        base_.windowState = windowState;
        workbook.touchedPages.reset();
        return false;
    }
    std::optional<Step> step = diff(workbook);
    workbook.touchedPages.reset();
    if (!step) {
        base_.windowState = windowState;
        return false;
    }
    step->windowBefore = base_.windowState;
    step->windowAfter = windowState;
    base_.windowState = windowState;
    step->name = name;
    step->mergeKey = mergeKey;
    step->pageOnScreen = pageOnScreen;
    for (const PageChange& change : step->pages) {
        const auto i = static_cast<std::size_t>(change.index);
        base_.pages[i] = change.after;
        base_.lines[i] = change.lineAfter;
    }
    base_.headings = workbook.headingList;
    base_.pageCount = workbook.pageCount;

    // A new change forgets what could have been redone.
    if (applied_ < steps_.size()) {
        steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(applied_), steps_.end());
        if (savedAt_ && *savedAt_ > applied_) savedAt_.reset();
        lastStepOpen_ = false;
    }

    const bool merge =
        lastStepOpen_ && !mergeKey.isEmpty() && !steps_.empty() && steps_.back().mergeKey == mergeKey;
    if (merge) {
        Step& last = steps_.back();
        for (PageChange& change : step->pages) {
            auto it = std::find_if(last.pages.begin(), last.pages.end(),
                                   [&](const PageChange& c) { return c.index == change.index; });
            if (it == last.pages.end()) {
                last.pages.push_back(std::move(change));
            } else {
                it->after = std::move(change.after);
                it->lineAfter = std::move(change.lineAfter);
            }
        }
        last.headingsAfter = step->headingsAfter;
        last.pageCountAfter = step->pageCountAfter;
        last.windowAfter = step->windowAfter;
        std::erase_if(last.pages, [](const PageChange& c) {
            return sameRecord(c.before, c.after) && sameText(c.lineBefore, c.lineAfter);
        });
        // Typed and taken back again: nothing is left to undo.
        if (last.pages.empty() && last.headingsBefore == last.headingsAfter &&
            last.pageCountBefore == last.pageCountAfter) {
            steps_.pop_back();
            --applied_;
            lastStepOpen_ = false;
            return true;
        }
    } else {
        steps_.push_back(std::move(*step));
        ++applied_;
        if (steps_.size() > limit_) {
            steps_.pop_front();
            --applied_;
            if (savedAt_) {
                if (*savedAt_ == 0)
                    savedAt_.reset();
                else
                    --*savedAt_;
            }
        }
    }
    lastStepOpen_ = true;

    return true;
}

QString WorkbookHistory::undoName() const {
    return canUndo() ? steps_[applied_ - 1].name : QString();
}

QString WorkbookHistory::redoName() const {
    return canRedo() ? steps_[applied_].name : QString();
}

void WorkbookHistory::apply(Workbook& workbook, const Step& step, bool forward) {
    for (const PageChange& change : step.pages) {
        const auto i = static_cast<std::size_t>(change.index);
        workbook.page(change.index) = forward ? change.after : change.before;
        workbook.pageLines[i] = forward ? change.lineAfter : change.lineBefore;
        base_.pages[i] = workbook.page(change.index);
        base_.lines[i] = workbook.pageLines[i];
    }
    workbook.headingList = forward ? step.headingsAfter : step.headingsBefore;
    workbook.pageCount = forward ? step.pageCountAfter : step.pageCountBefore;
    base_.headings = workbook.headingList;
    base_.pageCount = workbook.pageCount;
    base_.windowState = forward ? step.windowAfter : step.windowBefore;
    lastStepOpen_ = false;
}

std::optional<int> WorkbookHistory::undo(Workbook& workbook) {
    if (!canUndo() || base_.pages.empty()) return std::nullopt;
    const Step& step = steps_[applied_ - 1];
    apply(workbook, step, false);
    --applied_;
    return step.pageOnScreen;
}

std::optional<int> WorkbookHistory::redo(Workbook& workbook) {
    if (!canRedo()) return std::nullopt;
    const Step& step = steps_[applied_];
    apply(workbook, step, true);
    ++applied_;
    return step.pageOnScreen;
}

void WorkbookHistory::markSaved(Workbook& workbook) {
    if (base_.pages.empty()) {
        takeBaseline(workbook);
    } else {
        for (int p = 0; p < kMaxPages; ++p) {
            const auto i = static_cast<std::size_t>(p);
            if (!workbook.touchedPages.test(i)) continue;
            base_.pages[i] = workbook.page(p);
            base_.lines[i] = workbook.pageLines[i];
        }
        base_.headings = workbook.headingList;
        base_.pageCount = workbook.pageCount;
    }
    workbook.touchedPages.reset();
    savedAt_ = applied_;
    lastStepOpen_ = false;
}

std::size_t WorkbookHistory::memoryBytes() const {
    // Texts are shared between steps and with the workbook: each is counted once.
    std::unordered_set<const void*> seen;
    std::size_t bytes = 0;
    const auto text = [&](const QString& t) {
        bytes += sizeof(QString);
        if (!t.isEmpty() && seen.insert(t.constData()).second)
            bytes += static_cast<std::size_t>(t.size()) * sizeof(QChar);
    };
    for (const Step& step : steps_) {
        bytes += sizeof(Step);
        text(step.name);
        text(step.mergeKey);
        for (const PageChange& c : step.pages) {
            bytes += sizeof(PageChange) - 2 * sizeof(PageRecord) - 2 * sizeof(QString);
            for (const QString& t : c.before) text(t);
            for (const QString& t : c.after) text(t);
            text(c.lineBefore);
            text(c.lineAfter);
        }
        for (const QString& h : step.headingsBefore) text(h);
        for (const QString& h : step.headingsAfter) text(h);
        for (const QString& w : step.windowBefore) text(w);
        for (const QString& w : step.windowAfter) text(w);
    }
    return bytes;
}
