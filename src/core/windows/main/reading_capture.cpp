#include "core/windows/main/reading_capture.h"

namespace {

bool isLatinLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'ａ' && u <= u'ｚ') ||
           (u >= u'Ａ' && u <= u'Ｚ');
}

}  // namespace

QString ReadingTracker::readingOfPreedit(const QString& preedit) {
    // "こうえｎ": the n still waiting for its vowel is ん when the word is converted.
    QString reading = preedit;
    if (!reading.isEmpty()) {
        const char16_t last = reading.back().unicode();
        if (last == u'n' || last == u'N' || last == u'ｎ' || last == u'Ｎ') reading.back() = QChar(u'ん');
    }
    // Any other letter is a half-typed syllable the input method resolved some other way: no
    // reading is better than a reading with Latin letters in it.
    for (QChar c : reading)
        if (isLatinLetter(c)) return {};
    return reading;
}

void ReadingTracker::onInputMethodEvent(const QString& preedit, bool converted, const QString& commit) {
    if (!commit.isEmpty()) {
        // A commit without a preceding preedit (a direct key) has no reading of its own.
        lastReading_ = readingOfPreedit(typing_);
        typing_.clear();
    }
    if (!preedit.isEmpty() && !converted) typing_ = preedit;
    if (preedit.isEmpty() && commit.isEmpty()) typing_.clear();
    composing_ = !preedit.isEmpty();
}
