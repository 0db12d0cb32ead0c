#include "core/windows/main/reading_capture.h"

void ReadingTracker::onInputMethodEvent(const QString& preedit, bool converted, const QString& commit) {
    if (!commit.isEmpty()) {
        // A commit without a preceding preedit (a direct key) has no reading of its own.
        lastReading_ = typing_;
        typing_.clear();
    }
    if (!preedit.isEmpty() && !converted) typing_ = preedit;
    if (preedit.isEmpty() && commit.isEmpty()) typing_.clear();
    composing_ = !preedit.isEmpty();
}
