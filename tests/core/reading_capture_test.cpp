#include "core/windows/main/reading_capture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// One input method event as Qt delivers it to the entry box.
struct Ev {
    const char16_t* preedit;
    bool converted;
    const char16_t* commit;
};

struct Case {
    const char* what;
    std::vector<Ev> events;
    const char16_t* reading;
};

const Case kCases[] = {
    {"kannji, Space, Space, Return",
     {{u"ｋ", false, u""},
      {u"か", false, u""},
      {u"かｎ", false, u""},
      {u"かん", false, u""},
      {u"かんｊ", false, u""},
      {u"かんじ", false, u""},
      {u"感じ", true, u""},
      {u"漢字", true, u""},
      {u"", false, u"漢字"}},
     u"かんじ"},
    {"kouen: the last n not yet ん when Space converts",
     {{u"こ", false, u""},
      {u"こう", false, u""},
      {u"こうえ", false, u""},
      {u"こうえｎ", false, u""},
      {u"公園", true, u""},
      {u"", false, u"公園"}},
     u"こうえん"},
    {"a half-width n (direct half-width typing mode)",
     {{u"こうえn", false, u""}, {u"公園", true, u""}, {u"", false, u"公園"}},
     u"こうえん"},
    {"a capital full-width Ｎ", {{u"ほＮ", false, u""}, {u"本", true, u""}, {u"", false, u"本"}}, u"ほん"},
    {"an ん typed out with nn keeps one ん",
     {{u"こうえｎ", false, u""}, {u"こうえん", false, u""}, {u"公園", true, u""}, {u"", false, u"公園"}},
     u"こうえん"},
    {"another Latin letter left: no reading",
     {{u"かｋ", false, u""}, {u"化k", true, u""}, {u"", false, u"化k"}},
     u""},
    {"a Latin letter inside: no reading",
     {{u"えｘこ", false, u""}, {u"江x子", true, u""}, {u"", false, u"江x子"}},
     u""},
    {"a katakana reading is kept as typed (widened to hiragana later)",
     {{u"ガッコウ", false, u""}, {u"学校", true, u""}, {u"", false, u"学校"}},
     u"ガッコウ"},
    {"a digit is no letter", {{u"１ばん", false, u""}, {u"1番", true, u""}, {u"", false, u"1番"}}, u"１ばん"},
    {"a commit without a preedit (a direct key) has no reading", {{u"", false, u"a"}}, u""},
    {"a cancelled composition forgets the preedit",
     {{u"やま", false, u""}, {u"", false, u""}, {u"", false, u"山"}},
     u""},
    {"the next word's commit comes before its preedit",
     {{u"わたし", false, u""}, {u"私", true, u""}, {u"は", false, u"私"}},
     u"わたし"},
};

TEST(ReadingTracker, ReadingOfTheLastCommit) {
    for (const Case& c : kCases) {
        ReadingTracker t;
        for (const Ev& e : c.events)
            t.onInputMethodEvent(QString::fromUtf16(e.preedit), e.converted, QString::fromUtf16(e.commit));
        EXPECT_EQ(t.lastCommitReading(), QString::fromUtf16(c.reading)) << c.what;
    }
}

TEST(ReadingTracker, ComposingUntilTheCommit) {
    ReadingTracker t;
    t.onInputMethodEvent(QStringLiteral("こうえｎ"), false, {});
    EXPECT_TRUE(t.composing());
    t.onInputMethodEvent({}, false, QStringLiteral("公園"));
    EXPECT_FALSE(t.composing());
    EXPECT_EQ(t.lastCommitReading(), QStringLiteral("こうえん"));
    t.forgetLastCommit();
    EXPECT_EQ(t.lastCommitReading(), QString());
}

}  // namespace
