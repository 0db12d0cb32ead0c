// Keeps the reading of the input method's last committed conversion. The entry box's view
// feeds it every input method event before the line edit applies the commit: the reading of
// a commit is the last preedit that had no highlighted (converted) segment.
#pragma once

#include <QString>

class ReadingTracker {
public:
    // preedit: the composition text of the event; converted: whether any of its segments
    // carries the conversion highlight; commit: the committed text of the event.
    void onInputMethodEvent(const QString& preedit, bool converted, const QString& commit);
    // The reading of the last commit, as the input method typed it (any width or script); a
    // final unconverted n counts as ん, and a reading with other Latin letters left in it is
    // empty.
    QString lastCommitReading() const { return lastReading_; }
    bool composing() const { return composing_; }
    // Text typed or pasted without the input method has no reading.
    void forgetLastCommit() { lastReading_.clear(); }

    // The reading a conversion of this preedit gives.
    static QString readingOfPreedit(const QString& preedit);

private:
    QString typing_;       // last preedit still being typed
    QString lastReading_;  // reading of the last commit
    bool composing_ = false;
};
