// The data edit tool on any text: its file reading and writing, find, replace and replace
// all. The input holds the file's text, the search text, the replacement and the selection.
// Checks: a file of CR LF lines saves as the same text and any text is the same after a
// second open-and-save; replace all is the text split at the search text and joined with the
// replacement; find selects the first match after the selection or ends at the top; replace
// changes only a selection that matches.
#include <cstdint>

#include "core/windows/data_edit/data_edit_window.h"
#include "fuzz_check.h"
#include "fuzz_parts.h"

using namespace dataedit;

namespace {
QString savedText(const QString& windowText) {
    QString out;
    for (const QString& line : linesForFile(windowText)) out += line + QStringLiteral("\r\n");
    return out;
}
bool selectionInside(const TextState& s) {
    return s.selStart >= 0 && s.selLength >= 0 && s.selStart + s.selLength <= s.text.size();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList parts = fuzzParts(data, size, 5);
    const QString& file = parts[0];
    const QString& search = parts[1];
    const QString& replacement = parts[2];
    const qsizetype start = parts[3].size() * 7 - 20;  // any position, also outside the text
    const qsizetype length = parts[4].size() * 3 - 5;

    // Open and save.
    const QString window = textFromFile(file);
    FUZZ_CHECK(!window.contains(u'\r'));
    const QString saved = savedText(window);
    bool crLfLines = file.endsWith(QLatin1String("\r\n")) || file.isEmpty();
    for (qsizetype i = 0; i < file.size() && crLfLines; ++i) {
        if (file[i] == u'\n' && (i == 0 || file[i - 1] != u'\r')) crLfLines = false;
        if (file[i] == u'\r' && (i + 1 >= file.size() || file[i + 1] != u'\n')) crLfLines = false;
    }
    if (crLfLines) FUZZ_CHECK(saved == file);
    FUZZ_CHECK(savedText(textFromFile(saved)) == saved);

    // Replace all: the text split at the search text, joined with the replacement.
    QString all = window;
    const int replaced = replaceAll(all, search, replacement);
    if (search.isEmpty()) {
        FUZZ_CHECK(replaced == 0 && all == window);
    } else {
        const QStringList pieces = window.split(search);
        FUZZ_CHECK(replaced == pieces.size() - 1);
        FUZZ_CHECK(all == pieces.join(replacement));
    }

    // Find: the first match at or after the end of the selection, or back to the top.
    TextState s{window, start, length};
    clampSelection(s);
    FUZZ_CHECK(selectionInside(s));
    const qsizetype from = s.selStart + s.selLength;
    const qsizetype expected = search.isEmpty() ? -1 : window.indexOf(search, from);
    const FindOutcome found = findNext(s, search);
    FUZZ_CHECK(selectionInside(s) && s.text == window);
    if (expected >= 0) {
        FUZZ_CHECK(found == FindOutcome::Found);
        FUZZ_CHECK(s.selStart == expected && s.selLength == search.size());
    } else {
        FUZZ_CHECK(found == FindOutcome::Ended);
        FUZZ_CHECK(s.selStart == 0 && s.selLength == 0);
    }

    // Replace: only a selection that is the search text (letter case ignored) changes.
    TextState r{window, start, length};
    clampSelection(r);
    const QString selected = r.text.mid(r.selStart, r.selLength);
    const qsizetype at = r.selStart;
    const ReplaceOutcome outcome = replaceAndFindNext(r, search, replacement);
    FUZZ_CHECK(selectionInside(r));
    if (outcome == ReplaceOutcome::NoMatchSelected) {
        FUZZ_CHECK(r.text == window);
    } else {
        FUZZ_CHECK(!search.isEmpty() && selected.compare(search, Qt::CaseInsensitive) == 0);
        FUZZ_CHECK(r.text == window.left(at) + replacement + window.mid(at + selected.size()));
        if (outcome == ReplaceOutcome::ReplacedAndFoundNext)
            FUZZ_CHECK(r.text.mid(r.selStart, r.selLength).compare(search, Qt::CaseInsensitive) == 0);
    }
    return 0;
}
