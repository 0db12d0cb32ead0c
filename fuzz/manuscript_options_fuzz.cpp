// The manuscript paper's options file (FN.txt) on any bytes. Checks: every value it keeps is
// one the window can use (a colour of 24 bits, finite carried numbers, texts without control
// characters); a file not read whole says so; what was read is written and reads back whole,
// with all nine lines, and writing that again gives the same bytes.
#include <cmath>
#include <cstdint>

#include "core/data/settings.h"
#include "core/paper/manuscript_options.h"
#include "fuzz_check.h"

namespace {
void checkValues(const ManuscriptOptionsReadResult& r) {
    const ManuscriptFileOptions& o = r.options;
    FUZZ_CHECK(o.color >= 0 && o.color <= 0xFFFFFF);
    FUZZ_CHECK(std::isfinite(o.carriedNumber1) && std::isfinite(o.carriedNumber2));
    FUZZ_CHECK(!holdsSettingsControlCharacter(o.carriedText) && !holdsSettingsControlCharacter(o.title));
    FUZZ_CHECK(r.readWhole == r.problem.isEmpty());
    FUZZ_CHECK(!r.fileNotFound);
    // A short file gives the options' defaults, whatever its lines held.
    if (r.readWhole && !r.complete) {
        FUZZ_CHECK(!o.cross && !o.b4 && o.readings && !o.otherColor);
        FUZZ_CHECK(o.title.isEmpty() && o.color == 0);
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ManuscriptOptionsReadResult read = readManuscriptOptionsBytes(bytes);
    checkValues(read);

    const std::optional<QByteArray> written = manuscriptOptionsBytes(read.options);
    FUZZ_CHECK(written.has_value());  // what was read can be written
    const ManuscriptOptionsReadResult back = readManuscriptOptionsBytes(*written);
    checkValues(back);
    FUZZ_CHECK(back.readWhole && back.complete);
    FUZZ_CHECK(back.options.cross == read.options.cross && back.options.b4 == read.options.b4);
    FUZZ_CHECK(back.options.readings == read.options.readings);
    FUZZ_CHECK(back.options.otherColor == read.options.otherColor);
    FUZZ_CHECK(back.options.color == read.options.color);
    FUZZ_CHECK(manuscriptOptionsBytes(back.options) == written);
    return 0;
}
