#include "core/data/text_codec.h"

#include <gtest/gtest.h>
#include <unicode/ucnv.h>

#include <optional>
#include <random>
#include <vector>

using namespace textcodec;

TEST(TextCodec, RoundTripsWindows31jCharacters) {
    // Circled digits (NEC row 13), 表 with 0x5C as its second byte, the wave dash of 31J,
    // an IBM extension kanji and half-width katakana.
    const QString text = QStringLiteral("①⑩表～髙ｶﾞ漢字,かな");
    auto bytes = encodeCp932(text);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->mid(0, 4), QByteArray("\x87\x40\x87\x49", 4));  // ① ⑩
    EXPECT_EQ(bytes->mid(4, 2), QByteArray("\x95\x5C", 2));          // 表
    EXPECT_EQ(bytes->mid(6, 2), QByteArray("\x81\x60", 2));          // ～
    auto back = decodeCp932(*bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, text);
}

TEST(TextCodec, InvalidBytesAreAnErrorWithTheirOffset) {
    qsizetype offset = -1;
    // "ab" then a lead byte followed by a byte that cannot trail it.
    EXPECT_FALSE(decodeCp932(QByteArray("ab\x81\x0A", 4), &offset).has_value());
    EXPECT_EQ(offset, 2);
    EXPECT_FALSE(decodeCp932(QByteArray("\xA0", 1)).has_value());  // undefined single byte
}

TEST(TextCodec, UnencodableCharactersAreListedOnceEach) {
    QString bad;
    EXPECT_FALSE(encodeCp932(QStringLiteral("𠮟る𠮟😀あ"), &bad).has_value());
    EXPECT_EQ(bad, QStringLiteral("𠮟😀"));
    EXPECT_TRUE(encodeCp932(QStringLiteral("叱る"), &bad).has_value());
    EXPECT_TRUE(bad.isEmpty());
}

TEST(TextCodec, WidensAndTurnsKatakanaIntoHiragana) {
    const struct {
        const char16_t* in;
        const char16_t* out;
    } cases[] = {
        {u"ｶﾝｼﾞ", u"かんじ"},   {u"ｶﾞｯｺｳ", u"がっこう"}, {u"ﾊﾟﾝ", u"ぱん"},   {u"ｹｰｷ", u"けーき"},
        {u"カンジ", u"かんじ"}, {u"かんじ", u"かんじ"},  {u"abc", u"ａｂｃ"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(widenToHiragana(QString::fromUtf16(c.in)), QString::fromUtf16(c.out))
            << QString::fromUtf16(c.in).toStdString();
}

namespace {
// ICU's own answer, asked directly: the text, or the offset of the first bad byte.
struct IcuAnswer {
    std::optional<QString> text;
    qsizetype offset = -1;
};
IcuAnswer decodeWithIcu(const QByteArray& bytes) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* conv = ucnv_open("windows-31j", &status);
    ucnv_setToUCallBack(conv, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    std::vector<UChar> out(static_cast<size_t>(bytes.size()) + 1);
    UChar* target = out.data();
    const char* source = bytes.constData();
    ucnv_toUnicode(conv, &target, out.data() + out.size(), &source, source + bytes.size(), nullptr, true,
                   &status);
    IcuAnswer a;
    if (U_SUCCESS(status)) {
        a.text = QString(reinterpret_cast<const QChar*>(out.data()), target - out.data());
    } else {
        char bad[8];
        int8_t len = sizeof bad;
        UErrorCode st = U_ZERO_ERROR;
        ucnv_getInvalidChars(conv, bad, &len, &st);
        a.offset = (source - bytes.constData()) - len;
    }
    ucnv_close(conv);
    return a;
}
void expectSameAsIcu(const QByteArray& bytes) {
    const IcuAnswer icu = decodeWithIcu(bytes);
    qsizetype offset = -1;
    const std::optional<QString> ours = decodeCp932(bytes, &offset);
    ASSERT_EQ(ours.has_value(), icu.text.has_value()) << bytes.toHex().toStdString();
    if (ours)
        ASSERT_EQ(*ours, *icu.text) << bytes.toHex().toStdString();
    else
        ASSERT_EQ(offset, icu.offset) << bytes.toHex().toStdString();
}
}  // namespace

TEST(TextCodec, DecodesEveryOneAndTwoByteSequenceAsIcuDoes) {
    // The decoder keeps ICU's answers in a table; every sequence, in every position the
    // table treats differently (alone, at the end, before a line end), agrees with ICU.
    for (int b = 0; b < 256; ++b) {
        const char one = static_cast<char>(b);
        expectSameAsIcu(QByteArray(&one, 1));
        expectSameAsIcu(QByteArray("a", 1) + one);
        for (int t = 0; t < 256; ++t) {
            const char two[2] = {one, static_cast<char>(t)};
            expectSameAsIcu(QByteArray(two, 2) + "\r\n");
        }
    }
}

TEST(TextCodec, RandomBytesDecodeAsIcuDoes) {
    std::mt19937 rng(932);
    for (int i = 0; i < 20000; ++i) {
        QByteArray bytes(static_cast<qsizetype>(rng() % 24), '\0');
        for (char& c : bytes) c = static_cast<char>(rng() % 4 ? 0x81 + rng() % 0x7C : rng() % 256);
        expectSameAsIcu(bytes);
    }
}

TEST(TextCodec, CharactersThatWouldNotReadBackAsThemselvesAreRefused) {
    // ICU drops default-ignorable characters it cannot map and maps U+F86F one way only;
    // written, the file would not hold what the screen shows. Found by the codec fuzz target
    // (tests/fixtures/fuzz/codec).
    const struct {
        QString character;
        const char* name;
    } cases[] = {
        {QString(QChar(0x00AD)), "soft hyphen"},
        {QString(QChar(0x200B)), "zero-width space"},
        {QString(QChar(0x200D)), "zero-width joiner"},
        {QString(QChar(0x200E)), "left-to-right mark"},
        {QString(QChar(0xFE0F)), "variation selector 16"},
        {QString(QChar(0xF86F)), "U+F86F, written as the bytes of №"},
    };
    for (const auto& c : cases) {
        const QString text = QStringLiteral("学") + c.character + QStringLiteral("校");
        QString refused;
        EXPECT_FALSE(encodeCp932(text, &refused).has_value()) << c.name;
        EXPECT_EQ(refused, c.character) << c.name;
        EXPECT_EQ(unencodableCharacters(text), c.character) << c.name;
    }
    EXPECT_EQ(encodeCp932(QStringLiteral("№")), QByteArray("\x87\x82", 2));
    EXPECT_EQ(unencodableCharacters(QStringLiteral("学校№")), QString());
}
