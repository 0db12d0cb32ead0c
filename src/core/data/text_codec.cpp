#include "core/data/text_codec.h"

#include <unicode/translit.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <array>
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
    ucnv_setFromUCallBack(conv.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    return U_SUCCESS(status) ? std::move(conv) : nullptr;
}

UConverter* converter() {
    static Converter conv = openStrictConverter();
    return conv.get();
}

// ICU's answer for every one- and two-byte sequence, asked once, so that decoding a file is
// a table look-up per character. Anything the table does not know as valid is left to ICU.
class DecodeTable {
public:
    static constexpr char16_t kInvalid = 0xFFFF;  // neither is a character code page 932 has
    static constexpr char16_t kLead = 0xFFFE;

    DecodeTable() : single_{}, pairs_(256 * 256, kInvalid) {
        single_.fill(kInvalid);
        UConverter* conv = converter();
        if (!conv) return;
        for (int b = 0; b < 256; ++b) {
            const char one[1] = {static_cast<char>(b)};
            UErrorCode status = U_ZERO_ERROR;
            const char16_t u = decodeOne(conv, one, 1, &status);
            if (u != kInvalid) {
                single_[static_cast<size_t>(b)] = u;
            } else if (status == U_TRUNCATED_CHAR_FOUND) {
                single_[static_cast<size_t>(b)] = kLead;
                for (int t = 0; t < 256; ++t) {
                    const char two[2] = {static_cast<char>(b), static_cast<char>(t)};
                    pairs_[static_cast<size_t>(b * 256 + t)] = decodeOne(conv, two, 2, &status);
                }
            }
        }
    }

    // Decodes into out (room for bytes.size() units); the number of units, or -1 when a
    // sequence is not one the table knows.
    qsizetype decode(const QByteArray& bytes, char16_t* out) const {
        const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
        const qsizetype n = bytes.size();
        char16_t* o = out;
        for (qsizetype i = 0; i < n;) {
            const char16_t u = single_[b[i]];
            if (u < kLead) {
                *o++ = u;
                ++i;
            } else if (u == kLead && i + 1 < n) {
                const char16_t v = pairs_[static_cast<size_t>(b[i] * 256 + b[i + 1])];
                if (v == kInvalid) return -1;
                *o++ = v;
                i += 2;
            } else {
                return -1;
            }
        }
        return o - out;
    }

private:
    // The one UTF-16 unit ICU makes of exactly these bytes, or kInvalid.
    static char16_t decodeOne(UConverter* conv, const char* src, int len, UErrorCode* status) {
        ucnv_resetToUnicode(conv);
        *status = U_ZERO_ERROR;
        UChar buf[4];
        UChar* target = buf;
        const char* source = src;
        ucnv_toUnicode(conv, &target, buf + 4, &source, src + len, nullptr, true, status);
        if (U_FAILURE(*status) || target - buf != 1 || source != src + len) return kInvalid;
        return (buf[0] == kInvalid || buf[0] == kLead) ? kInvalid : buf[0];
    }

    std::array<char16_t, 256> single_;
    std::vector<char16_t> pairs_;
};

const DecodeTable& decodeTable() {
    static const DecodeTable table;
    return table;
}

}  // namespace

std::optional<QString> decodeCp932(const QByteArray& bytes, qsizetype* byteOffset) {
    UConverter* conv = converter();
    if (!conv) return std::nullopt;
    if (bytes.isEmpty()) return QString();
    // The table costs some fifteen thousand questions to ICU to make, once a process: worth it
    // for a large file (an 8 MiB file decodes several times faster), not for a workbook of a
    // few pages printed by a process of its own, which ICU decodes in less time than that.
    constexpr qsizetype kTableFromBytes = 256 * 1024;
    if (bytes.size() >= kTableFromBytes) {
        QString out(bytes.size(), Qt::Uninitialized);
        const qsizetype n = decodeTable().decode(bytes, reinterpret_cast<char16_t*>(out.data()));
        if (n >= 0) {
            out.truncate(n);
            return out;
        }
    }
    // ICU decodes, and says what is wrong and where.
    ucnv_resetToUnicode(conv);
    // Every code page 932 character is one or two bytes and one UTF-16 unit: the text is never
    // longer than the bytes.
    QString out(bytes.size(), Qt::Uninitialized);
    UChar* const begin = reinterpret_cast<UChar*>(out.data());
    UChar* target = begin;
    const char* source = bytes.constData();
    UErrorCode status = U_ZERO_ERROR;
    ucnv_toUnicode(conv, &target, begin + out.size(), &source, bytes.constData() + bytes.size(), nullptr,
                   true, &status);
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
    out.truncate(target - begin);
    return out;
}

namespace {

// ICU's bytes for the text, or nothing when a character has no mapping.
std::optional<QByteArray> encodeWithIcu(UConverter* conv, const UChar* text, int32_t length) {
    ucnv_resetFromUnicode(conv);
    QByteArray out(length * 2 + 4, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n =
        ucnv_fromUChars(conv, out.data(), static_cast<int32_t>(out.size()), text, length, &status);
    if (U_FAILURE(status)) return std::nullopt;
    out.truncate(n);
    return out;
}

// The bytes, when they read back as the text itself. ICU drops default-ignorable characters
// it cannot map (soft hyphen, zero-width joiner, direction marks, variation selectors)
// without a word, and maps a few characters one way only (U+F86F becomes the bytes of №):
// neither may reach a file as if it had been written.
std::optional<QByteArray> encodeExactly(const UChar* text, int32_t length) {
    UConverter* conv = converter();
    if (!conv) return std::nullopt;
    std::optional<QByteArray> bytes = encodeWithIcu(conv, text, length);
    if (!bytes) return std::nullopt;
    const std::optional<QString> back = decodeCp932(*bytes);
    if (!back || back->size() != length ||
        std::char_traits<char16_t>::compare(reinterpret_cast<const char16_t*>(back->utf16()),
                                            reinterpret_cast<const char16_t*>(text),
                                            static_cast<size_t>(length)) != 0)
        return std::nullopt;
    return bytes;
}

std::optional<QByteArray> encodeExactly(const QString& text) {
    return encodeExactly(reinterpret_cast<const UChar*>(text.utf16()), static_cast<int32_t>(text.size()));
}

}  // namespace

QString unencodableCharacters(const QString& text) {
    if (encodeExactly(text)) return {};
    QString bad;
    const auto* u = reinterpret_cast<const UChar*>(text.utf16());
    for (qsizetype i = 0; i < text.size();) {
        const int32_t len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        if (!encodeExactly(u + i, len)) {
            const QString ch = text.mid(i, len);
            if (!bad.contains(ch)) bad += ch;
        }
        i += len;
    }
    return bad;
}

std::optional<QByteArray> encodeCp932(const QString& text, QString* unencodable) {
    if (unencodable) unencodable->clear();
    std::optional<QByteArray> bytes = encodeExactly(text);
    if (!bytes && unencodable) *unencodable = unencodableCharacters(text);
    return bytes;
}

QString widenToHiragana(const QString& text) {
    static std::unique_ptr<icu::Transliterator> trans = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> t(
            icu::Transliterator::createInstance("Halfwidth-Fullwidth", UTRANS_FORWARD, status));
        return U_SUCCESS(status) ? std::move(t) : nullptr;
    }();
    QString wide = text;
    if (trans) {
        icu::UnicodeString s(reinterpret_cast<const UChar*>(text.utf16()), static_cast<int32_t>(text.size()));
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

qsizetype firstBadUtf8Byte(const QByteArray& bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = b[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int len = 0;
        unsigned char lo = 0x80, hi = 0xBF;  // the range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            if (c == 0xE0) lo = 0xA0;
            if (c == 0xED) hi = 0x9F;  // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            if (c == 0xF0) lo = 0x90;
            if (c == 0xF4) hi = 0x8F;
        } else {
            return i;
        }
        if (i + len > n || b[i + 1] < lo || b[i + 1] > hi) return i;
        for (int k = 2; k < len; ++k)
            if (b[i + k] < 0x80 || b[i + k] > 0xBF) return i;
        i += len;
    }
    return -1;
}

}  // namespace textcodec
