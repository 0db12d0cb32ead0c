// Code page 932 both ways. Checks: a bad byte is reported inside the input; decoding what
// the encoder made of a decoded text gives that text again; a text the encoder takes reads
// back as itself (the writer never writes a character that reads back as another); the
// characters it refuses are listed, and each is refused on its own.
#include <cstdint>

#include "core/data/text_codec.h"
#include "fuzz_check.h"

using namespace textcodec;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    qsizetype bad = -1;
    const std::optional<QString> text = decodeCp932(bytes, &bad);
    if (text) {
        FUZZ_CHECK(text->size() <= bytes.size());
        const std::optional<QByteArray> encoded = encodeCp932(*text);
        FUZZ_CHECK(encoded.has_value());
        FUZZ_CHECK(decodeCp932(*encoded) == text);
    } else {
        FUZZ_CHECK(bad >= 0 && bad < bytes.size());
        // The bytes before the bad one decode.
        FUZZ_CHECK(decodeCp932(bytes.left(bad)).has_value());
    }

    // The same bytes as UTF-16 text, as a user might type it.
    const QString typed(reinterpret_cast<const QChar*>(data), static_cast<qsizetype>(size / 2));
    QString refused;
    const std::optional<QByteArray> written = encodeCp932(typed, &refused);
    if (written) {
        FUZZ_CHECK(refused.isEmpty());
        FUZZ_CHECK(decodeCp932(*written) == typed);
    } else {
        FUZZ_CHECK(!refused.isEmpty());
        FUZZ_CHECK(refused == unencodableCharacters(typed));
        for (qsizetype i = 0; i < refused.size();) {
            const qsizetype len = refused[i].isHighSurrogate() && i + 1 < refused.size() ? 2 : 1;
            FUZZ_CHECK(!encodeCp932(refused.mid(i, len)).has_value());
            FUZZ_CHECK(typed.contains(refused.mid(i, len)));
            i += len;
        }
    }
    widenToHiragana(typed);
    return 0;
}
