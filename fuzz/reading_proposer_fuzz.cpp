// The reading proposer on any sentence: the input is the text before the word, the word and
// the text after it (cut at 0xFF bytes). Checks: a proposal is hiragana (with ー and the
// iteration marks) and never empty; a word with a blank inside or none at all gets none; the
// same question gets the same answer; and what lies further than the proposer looks does not
// change the answer.
#include <cstdint>

#include "core/data/reading_proposer.h"
#include "fuzz_check.h"
#include "fuzz_parts.h"

namespace {
bool hiragana(const QString& reading) {
    for (QChar c : reading) {
        const char16_t u = c.unicode();
        if (!((u >= 0x3041 && u <= 0x3096) || u == 0x309D || u == 0x309E || u == 0x30FC)) return false;
    }
    return !reading.isEmpty();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ReadingProposer& proposer = ReadingProposer::shared();
    FUZZ_CHECK(proposer.isAvailable());
    const QStringList parts = fuzzParts(data, size, 3);
    const QString &before = parts[0], &kanji = parts[1], &after = parts[2];

    const std::optional<QString> reading = proposer.propose(before, kanji, after);
    if (reading) FUZZ_CHECK(hiragana(*reading));
    const QString word = kanji.trimmed();
    if (word.isEmpty() || std::any_of(word.cbegin(), word.cend(), [](QChar c) { return c.isSpace(); }))
        FUZZ_CHECK(!reading);
    FUZZ_CHECK(proposer.propose(before, kanji, after) == reading);
    // What lies further than the proposer looks does not change the answer: with a thousand
    // characters either side, five hundred more beyond them change nothing. (The answer with
    // and without the thousand may differ: MeCab reads the nearest text as a whole. A lone
    // kanji that ends the row waits for what follows it, so nothing is added after such a one.)
    const QString near(1000, QChar(0x3042)), far(500, QChar(0x3044));
    const bool endsRow = std::all_of(after.cbegin(), after.cend(), [](QChar c) { return c.isSpace(); });
    const QString longBefore = near + before, longAfter = endsRow ? after : after + near;
    FUZZ_CHECK(proposer.propose(far + longBefore, kanji, endsRow ? after : longAfter + far) ==
               proposer.propose(longBefore, kanji, longAfter));
    return 0;
}
