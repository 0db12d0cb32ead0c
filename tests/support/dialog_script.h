// Answers the real modal dialogs of a test as they open, in the order the test expects them.
// A dialog of another type than the next step expects is rejected and recorded, so a test
// never hangs on a dialog nobody answers.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <vector>

class DialogScript {
public:
    DialogScript() {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }

    // The next dialog is a T: run step on it (it answers, or leaves it open for the next poll).
    template <typename T>
    void then(std::function<void(T*)> step) {
        steps_.push_back({[](QWidget* w) { return qobject_cast<T*>(w) != nullptr; },
                          [step](QWidget* w) { step(qobject_cast<T*>(w)); }});
    }

    bool allAnswered() const { return steps_.empty(); }
    // Class names of the dialogs that came unexpected.
    QStringList unexpected;

private:
    void poll() {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible()) return;
        for (const QPointer<QWidget>& seen : handled_)
            if (seen == w) return;
        handled_.push_back(w);
        // Out of the timer's own call: a step may open further dialogs.
        QTimer::singleShot(0, w, [this, w] {
            if (!steps_.empty() && steps_.front().matches(w)) {
                // Taken before it runs: answering may open the next dialog at once.
                const Step step = steps_.front();
                steps_.pop_front();
                step.run(w);
                return;
            }
            unexpected << QString::fromLatin1(w->metaObject()->className());
            if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
        });
    }

    struct Step {
        std::function<bool(QWidget*)> matches;
        std::function<void(QWidget*)> run;
    };
    QTimer timer_;
    std::deque<Step> steps_;
    std::vector<QPointer<QWidget>> handled_;
};
