#include "data/text_codec.h"

#include <unicode/translit.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <memory>
#include <vector>

namespace textcodec {
namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter openStrictConverter() {
    UErrorCode status = U_ZERO_ERROR;
    Converter conv(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status)) return nullptr;
    ucnv_setToUCallBack(conv.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setFromUCallBack(conv.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
    return U_SUCCESS(status) ? std::move(conv) : nullptr;
}

UConverter* converter() {
    static Converter conv = openStrictConverter();
    return conv.get();
}

bool encodes(UConverter* conv, const UChar* src, int32_t len) {
    char buf[16];
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetFromUnicode(conv);
    ucnv_fromUChars(conv, buf, sizeof buf, src, len, &status);
    return U_SUCCESS(status) || status == U_BUFFER_OVERFLOW_ERROR;
}

}  // namespace

std::optional<QString> decodeCp932(const QByteArray& bytes, qsizetype* byteOffset) {
    UConverter* conv = converter();
    if (!conv) return std::nullopt;
    ucnv_resetToUnicode(conv);
    std::vector<UChar> out(static_cast<size_t>(bytes.size()) + 1);
    UChar* target = out.data();
    const char* source = bytes.constData();
    UErrorCode status = U_ZERO_ERROR;
    ucnv_toUnicode(conv, &target, out.data() + out.size(), &source,
                   bytes.constData() + bytes.size(), nullptr, true, &status);
    if (U_FAILURE(status)) {
        if (byteOffset) {
            // The converter stops right after the bad sequence; report where it began.
            char bad[8];
            int8_t badLen = sizeof bad;
            UErrorCode st2 = U_ZERO_ERROR;
            ucnv_getInvalidChars(conv, bad, &badLen, &st2);
            *byteOffset = (source - bytes.constData()) - (U_SUCCESS(st2) ? badLen : 0);
        }
        return std::nullopt;
    }
    return QString(reinterpret_cast<const QChar*>(out.data()), target - out.data());
}

QString unencodableCharacters(const QString& text) {
    UConverter* conv = converter();
    QString bad;
    const auto* u = reinterpret_cast<const UChar*>(text.utf16());
    for (qsizetype i = 0; i < text.size();) {
        int32_t len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        if (!conv || !encodes(conv, u + i, len)) {
            QString ch = text.mid(i, len);
            if (!bad.contains(ch)) bad += ch;
        }
        i += len;
    }
    return bad;
}

std::optional<QByteArray> encodeCp932(const QString& text, QString* unencodable) {
    UConverter* conv = converter();
    if (unencodable) unencodable->clear();
    if (!conv) return std::nullopt;
    ucnv_resetFromUnicode(conv);
    QByteArray out;
    out.resize(text.size() * 2 + 4);
    UErrorCode status = U_ZERO_ERROR;
    int32_t n = ucnv_fromUChars(conv, out.data(), static_cast<int32_t>(out.size()),
                                reinterpret_cast<const UChar*>(text.utf16()),
                                static_cast<int32_t>(text.size()), &status);
    if (U_FAILURE(status)) {
        if (unencodable) *unencodable = unencodableCharacters(text);
        return std::nullopt;
    }
    out.resize(n);
    return out;
}

QString widenToHiragana(const QString& text) {
    static std::unique_ptr<icu::Transliterator> trans = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> t(icu::Transliterator::createInstance(
            "Halfwidth-Fullwidth", UTRANS_FORWARD, status));
        return U_SUCCESS(status) ? std::move(t) : nullptr;
    }();
    QString wide = text;
    if (trans) {
        icu::UnicodeString s(reinterpret_cast<const UChar*>(text.utf16()),
                             static_cast<int32_t>(text.size()));
        trans->transliterate(s);
        wide = QString(reinterpret_cast<const QChar*>(s.getBuffer()), s.length());
    }
    // Katakana to hiragana letter by letter. ICU's Katakana-Hiragana would also turn the
    // long-vowel mark into a vowel (けーき to けえき); furigana keep the mark.
    for (QChar& c : wide) {
        const char16_t u = c.unicode();
        if ((u >= 0x30A1 && u <= 0x30F6) || u == 0x30FD || u == 0x30FE) c = QChar(u - 0x60);
    }
    return wide;
}

}  // namespace textcodec
