// The settings reader on any bytes. Checks: every value it keeps is one the program can use
// (offsets within -300..300, a known company, no control characters); a file not read whole
// says so; what it read is written and reads back whole, and writing that again gives the
// same bytes.
#include <cmath>
#include <cstdint>

#include "core/data/settings.h"
#include "fuzz_check.h"

namespace {
bool usable(const QString& text) {
    for (QChar c : text)
        if ((c.unicode() < 0x20 && c != u'\t') || c.unicode() == 0x7F) return false;
    return true;
}
void checkValues(const SettingsReadResult& r) {
    for (double offset : {r.settings.kanaOffset1, r.settings.kanaOffset2})
        FUZZ_CHECK(std::isfinite(offset) && offset >= -kKanaOffsetLimit && offset <= kKanaOffsetLimit);
    const QString& company = r.settings.companyLine;
    FUZZ_CHECK(company.isEmpty() || company == kNoCompany || kCompanyNames.contains(company));
    FUZZ_CHECK(usable(r.settings.fontLine) && usable(r.settings.tracingLine));
    FUZZ_CHECK(r.readWhole == r.problem.isEmpty());
    FUZZ_CHECK(r.linesRead >= 0 && r.linesRead <= 5);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const SettingsReadResult read = readSettingsBytes(bytes);
    checkValues(read);

    const std::optional<QByteArray> written = settingsBytes(read.settings, true);
    FUZZ_CHECK(written.has_value());
    const SettingsReadResult back = readSettingsBytes(*written);
    checkValues(back);
    FUZZ_CHECK(back.readWhole);
    FUZZ_CHECK(back.linesRead == 5);
    FUZZ_CHECK(settingsBytes(back.settings, true) == written);
    return 0;
}
