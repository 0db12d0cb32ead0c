// The class's results as the program sees them, whatever keeps them (an SQLite file of the
// user's, a school's PostgreSQL server, or a test's memory): the roster, the answers of
// each scoring, and each problem's history for a review.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

#include "core/data/review_schedule.h"
#include "core/data/test_builder.h"

// The class a teacher who names none scores.
inline const QString kDefaultClassName = QStringLiteral("クラス");

struct ScoredProblem {
    TestProblem problem;
    bool right = false;
};

struct ProblemHistory {
    TestProblem problem;
    AnswerHistory answers;  // oldest first
};

struct ClassRoster {
    QString name;
    QStringList students;  // in the order they were added
};

class ResultsStore {
public:
    virtual ~ResultsStore() = default;
    // Every class and its students.
    virtual bool roster(std::vector<ClassRoster>* classes, QString* message) = 0;
    virtual bool addClass(const QString& className, QString* message) = 0;
    virtual bool addStudent(const QString& className, const QString& student, QString* message) = 0;
    // The marks of one scoring, all or none: the answers of `student` (empty: the class as
    // a whole) on `date`. The class is added when it is new.
    virtual bool recordAnswers(const QString& className, const QString& student, const QDate& date,
                               const std::vector<ScoredProblem>& answers, QString* message) = 0;
    // Every problem the class was asked, with its answers (all students') oldest first, in
    // the order the problems were first asked.
    virtual bool histories(const QString& className, std::vector<ProblemHistory>* out, QString* message) = 0;
};

// A review test: `candidates` (or, when there are none, every problem the class was asked)
// in review order on `today` (missed last time, due again, never asked, answered right), at
// most `count`.
std::vector<TestProblem> reviewTest(const std::vector<TestProblem>& candidates,
                                    const std::vector<ProblemHistory>& histories, const QDate& today,
                                    int count);
// The state of each problem on `today`.
std::vector<ReviewStatus> reviewStatuses(const std::vector<TestProblem>& problems,
                                         const std::vector<ProblemHistory>& histories, const QDate& today);

// "2,5" or "2, 5" or "２，５" as rows 1..10, each once, sorted; a message for anything else.
bool parseRowList(const QString& text, std::vector<int>* rows, QString* message);
