#include "core/data/results_store.h"

#include <QHash>
#include <algorithm>

namespace {

QHash<QString, const ProblemHistory*> byKey(const std::vector<ProblemHistory>& histories) {
    QHash<QString, const ProblemHistory*> map;
    for (const ProblemHistory& h : histories) map.insert(problemKey(h.problem), &h);
    return map;
}

}  // namespace

std::vector<TestProblem> reviewTest(const std::vector<TestProblem>& candidates,
                                    const std::vector<ProblemHistory>& histories, const QDate& today,
                                    int count) {
    std::vector<TestProblem> pool = candidates;
    if (pool.empty())
        for (const ProblemHistory& h : histories) pool.push_back(h.problem);
    const auto map = byKey(histories);
    std::vector<AnswerHistory> answers;
    answers.reserve(pool.size());
    for (const TestProblem& p : pool) {
        const ProblemHistory* h = map.value(problemKey(p));
        answers.push_back(h ? h->answers : AnswerHistory{});
    }
    std::vector<TestProblem> out;
    for (int i : reviewOrder(answers, today)) {
        if (static_cast<int>(out.size()) >= count) break;
        out.push_back(pool[static_cast<size_t>(i)]);
    }
    return out;
}

std::vector<ReviewStatus> reviewStatuses(const std::vector<TestProblem>& problems,
                                         const std::vector<ProblemHistory>& histories, const QDate& today) {
    const auto map = byKey(histories);
    std::vector<ReviewStatus> out;
    for (const TestProblem& p : problems) {
        const ProblemHistory* h = map.value(problemKey(p));
        out.push_back(reviewStatus(h ? h->answers : AnswerHistory{}, today));
    }
    return out;
}

bool parseRowList(const QString& text, std::vector<int>* rows, QString* message) {
    rows->clear();
    // Full-width digits and commas, as an input method gives them, count as their plain twins.
    const QString plain = text.normalized(QString::NormalizationForm_KC).trimmed();
    if (plain.isEmpty()) return true;
    for (const QString& part : plain.split(u',')) {
        bool ok = false;
        const int row = part.trimmed().toInt(&ok);
        if (!ok || row < 1 || row > 10) {
            *message = QStringLiteral(
                           "行番号は 1 から 10 の数をコンマで区切って書いてください（「%1」は読めません）")
                           .arg(part.trimmed());
            return false;
        }
        if (std::find(rows->begin(), rows->end(), row) != rows->end()) {
            *message = QStringLiteral("%1行目が二度書かれています").arg(row);
            return false;
        }
        rows->push_back(row);
    }
    std::sort(rows->begin(), rows->end());
    return true;
}
