// The values jirakubo-cli's options take, on any text (the input in UTF-8; its first two bytes
// also pick a range). Checks against Qt's own reading of the same text: a whole number is
// accepted exactly when the text is decimal digits with an optional sign and blanks around and
// its value lies in the range; a colour exactly when it is such a number or hexadecimal after
// 0x, from 0 to 16777215; what is accepted reads back the same from its usual spellings; the
// ruled paper's row count takes full-width digits as it takes ASCII ones.
#include <QRegularExpression>
#include <cstdint>
#include <limits>

#include "cli/option_values.h"
#include "core/paper/ruled_paper.h"
#include "fuzz_check.h"

namespace {

// Qt's reading of an integer of any size as a clamped long long, or nothing.
std::optional<long long> qtValue(const QString& digits, int base) {
    bool ok = false;
    const qlonglong v = digits.toLongLong(&ok, base);
    if (ok) return v;
    // Too large for a long long but digits all the same: past every range.
    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]+$"));
    static const QRegularExpression hex(QStringLiteral("^[0-9a-fA-F]+$"));
    if ((base == 10 ? decimal : hex).match(digits).hasMatch())
        return digits.startsWith(u'-') ? std::numeric_limits<long long>::min()
                                       : std::numeric_limits<long long>::max();
    return std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int low = static_cast<int8_t>(data[0]);
    const int high = low + data[1] * 1000;
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data) + 2, static_cast<qsizetype>(size - 2));
    const QString t = text.trimmed();
    static const QRegularExpression wholeForm(QStringLiteral("^[+-]?[0-9]+$"));
    static const QRegularExpression hexForm(QStringLiteral("^0[xX][0-9a-fA-F]+$"));

    // Whole numbers.
    const std::optional<int> whole = parseWholeNumber(text, low, high);
    const std::optional<long long> qtWhole =
        wholeForm.match(t).hasMatch() ? qtValue(t, 10) : std::optional<long long>();
    const bool wholeInRange = qtWhole && *qtWhole >= low && *qtWhole <= high;
    FUZZ_CHECK(whole.has_value() == wholeInRange);
    if (whole) {
        FUZZ_CHECK(*whole == *qtWhole);
        FUZZ_CHECK(parseWholeNumber(QString::number(*whole), low, high) == whole);
        FUZZ_CHECK(parseWholeNumber(QStringLiteral(" %1 ").arg(*whole), low, high) == whole);
    }

    // Colours.
    const std::optional<int> color = parseColor(text);
    std::optional<long long> qtColor;
    if (hexForm.match(t).hasMatch())
        qtColor = qtValue(t.mid(2), 16);
    else if (wholeForm.match(t).hasMatch())
        qtColor = qtValue(t, 10);
    FUZZ_CHECK(color.has_value() == (qtColor && *qtColor >= 0 && *qtColor <= 0xFFFFFF));
    if (color) {
        FUZZ_CHECK(*color == *qtColor);
        FUZZ_CHECK(parseColor(QString::number(*color)) == color);
        FUZZ_CHECK(parseColor(QStringLiteral("0x") + QString::number(*color, 16).toUpper()) == color);
    }

    // Ruled paper rows: full-width digits read as ASCII ones.
    const std::optional<int> rows = parseRuledRows(text);
    if (rows) FUZZ_CHECK(*rows >= kMinRuledRows && *rows <= kMaxRuledRows);
    QString narrow = text;
    for (QChar& c : narrow)
        if (c >= u'０' && c <= u'９') c = QChar(u'0' + (c.unicode() - u'０'));
    FUZZ_CHECK(parseRuledRows(narrow) == rows);
    return 0;
}
