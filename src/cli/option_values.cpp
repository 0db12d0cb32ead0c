#include "cli/option_values.h"

namespace {

// The value of the digits of text in the base, or nothing for an empty text, any other
// character, or a value past limit.
std::optional<long long> digitsValue(QStringView text, int base, long long limit) {
    if (text.isEmpty()) return std::nullopt;
    long long v = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        int d = -1;
        if (u >= u'0' && u <= u'9')
            d = u - u'0';
        else if (base == 16 && u >= u'a' && u <= u'f')
            d = u - u'a' + 10;
        else if (base == 16 && u >= u'A' && u <= u'F')
            d = u - u'A' + 10;
        if (d < 0 || d >= base) return std::nullopt;
        v = v * base + d;
        if (v > limit) return std::nullopt;
    }
    return v;
}

}  // namespace

std::optional<int> parseWholeNumber(const QString& text, int low, int high) {
    QStringView t = QStringView(text).trimmed();
    bool negative = false;
    if (!t.isEmpty() && (t[0] == u'+' || t[0] == u'-')) {
        negative = t[0] == u'-';
        t = t.mid(1);
    }
    // Past what an int holds the value is out of every range; stop before it overflows.
    const std::optional<long long> magnitude = digitsValue(t, 10, 1LL << 32);
    if (!magnitude) return std::nullopt;
    const long long v = negative ? -*magnitude : *magnitude;
    if (v < low || v > high) return std::nullopt;
    return static_cast<int>(v);
}

std::optional<int> parseColor(const QString& text) {
    const QStringView t = QStringView(text).trimmed();
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        const std::optional<long long> v = digitsValue(t.mid(2), 16, 0xFFFFFF);
        return v ? std::optional<int>(static_cast<int>(*v)) : std::nullopt;
    }
    return parseWholeNumber(text, 0, 0xFFFFFF);
}
