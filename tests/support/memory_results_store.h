// The class's results in memory, for the model tests: what a database would keep, with a
// switch that makes every write fail as a locked database does.
#pragma once

#include <QHash>

#include "core/data/results_store.h"

class MemoryResultsStore : public ResultsStore {
public:
    struct Row {
        QString className, student;
        TestProblem problem;
        QDate date;
        bool right;
    };
    std::vector<Row> rows;
    std::vector<ClassRoster> classes;
    QString failWith;  // non-empty: every write fails with this message
    int transactions = 0;

    bool roster(std::vector<ClassRoster>* out, QString*) override {
        *out = classes;
        return true;
    }
    bool addClass(const QString& name, QString* message) override {
        if (!failWith.isEmpty()) return fail(message);
        ++transactions;
        classRoster(name);
        return true;
    }
    bool addStudent(const QString& name, const QString& student, QString* message) override {
        if (!failWith.isEmpty()) return fail(message);
        ++transactions;
        ClassRoster& c = classRoster(name);
        if (!c.students.contains(student)) c.students << student;
        return true;
    }
    bool recordAnswers(const QString& name, const QString& student, const QDate& date,
                       const std::vector<ScoredProblem>& answers, QString* message) override {
        if (!failWith.isEmpty()) return fail(message);
        ++transactions;
        classRoster(name);
        for (const ScoredProblem& a : answers) rows.push_back({name, student, a.problem, date, a.right});
        return true;
    }
    bool histories(const QString& name, std::vector<ProblemHistory>* out, QString*) override {
        out->clear();
        QHash<QString, size_t> index;
        std::vector<const Row*> sorted;
        for (const Row& r : rows)
            if (r.className == name) sorted.push_back(&r);
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const Row* a, const Row* b) { return a->date < b->date; });
        for (const Row* r : sorted) {
            const QString key = problemKey(r->problem);
            if (!index.contains(key)) {
                index.insert(key, out->size());
                out->push_back({r->problem, {}});
            }
            (*out)[index.value(key)].answers.push_back({r->date, r->right});
        }
        return true;
    }

private:
    bool fail(QString* message) {
        *message = failWith;
        return false;
    }
    ClassRoster& classRoster(const QString& name) {
        for (ClassRoster& c : classes)
            if (c.name == name) return c;
        classes.push_back({name, {}});
        return classes.back();
    }
};
