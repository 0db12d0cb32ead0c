#include "data/text_codec.h"

#include <gtest/gtest.h>

using namespace textcodec;

TEST(TextCodec, RoundTripsWindows31jCharacters) {
    // Circled digits (NEC row 13), 表 with 0x5C as its second byte, the wave dash of 31J,
    // an IBM extension kanji and half-width katakana.
    const QString text = QStringLiteral("①⑩表～髙ｶﾞ漢字,かな");
    auto bytes = encodeCp932(text);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->mid(0, 4), QByteArray("\x87\x40\x87\x49", 4));  // ① ⑩
    EXPECT_EQ(bytes->mid(4, 2), QByteArray("\x95\x5C", 2));        // 表
    EXPECT_EQ(bytes->mid(6, 2), QByteArray("\x81\x60", 2));        // ～
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
        {u"ｶﾝｼﾞ", u"かんじ"},
        {u"ｶﾞｯｺｳ", u"がっこう"},
        {u"ﾊﾟﾝ", u"ぱん"},
        {u"ｹｰｷ", u"けーき"},
        {u"カンジ", u"かんじ"},
        {u"かんじ", u"かんじ"},
        {u"abc", u"ａｂｃ"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(widenToHiragana(QString::fromUtf16(c.in)), QString::fromUtf16(c.out))
            << QString::fromUtf16(c.in).toStdString();
}
