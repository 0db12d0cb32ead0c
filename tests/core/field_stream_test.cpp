#include "data/field_stream.h"

#include <gtest/gtest.h>

namespace {
QStringList allFields(const QString& text) {
    FieldStream in(text);
    QStringList out;
    bool ok = true;
    while (true) {
        QString f = in.next(&ok);
        if (!ok) break;
        out << f;
    }
    return out;
}
}  // namespace

TEST(FieldStream, ReadsFieldsByTheStreamRules) {
    const struct {
        QString text;
        QStringList fields;
    } cases[] = {
        {QStringLiteral("a,b\r\nc"), {"a", "b", "c"}},
        {QStringLiteral("a,,b,"), {"a", "", "b"}},              // trailing comma ends the stream
        {QStringLiteral("  a,\t b ,c"), {"a", "b ", "c"}},      // leading blanks skipped only
        {QStringLiteral("\"x,y\",z"), {"x,y", "z"}},            // quoted field keeps its comma
        {QStringLiteral("\"q\"junk,z"), {"q", "z"}},            // text after the closing quote dropped
        {QStringLiteral("a\nb\rc"), {"a", "b", "c"}},           // lone LF and CR end fields too
        {QStringLiteral("　全角,x"), {"　全角", "x"}},           // a full-width blank is text
        {QStringLiteral("\"open"), {"open"}},                   // unclosed quote runs to the end
    };
    for (const auto& c : cases) EXPECT_EQ(allFields(c.text), c.fields) << c.text.toStdString();
}

TEST(FieldStream, AtEndIgnoresTrailingLineEndsAndBlanks) {
    FieldStream in(QStringLiteral("a\r\n\r\n  \r\n"));
    EXPECT_FALSE(in.atEnd());
    EXPECT_EQ(in.next(), QStringLiteral("a"));
    EXPECT_TRUE(in.atEnd());
}

TEST(FieldStream, EncodedFieldsReadBackAsOneFieldEach) {
    const QStringList texts{QStringLiteral("plain"), QStringLiteral("a,b"), QStringLiteral(" lead"),
                            QStringLiteral("trail "), QString(), QStringLiteral("漢字、かな")};
    FieldStream in(joinFields(texts) + QStringLiteral("\r\n"));
    for (const QString& t : texts) EXPECT_EQ(in.next(), t);
    EXPECT_TRUE(in.atEnd());
    // Ordinary texts are written exactly as they are.
    EXPECT_EQ(joinFields({QStringLiteral("あ"), QStringLiteral("い")}), QStringLiteral("あ,い"));
}

TEST(FieldStream, QuotesAndLineBreaksCannotSplitARecord) {
    const QString line = joinFields({QStringLiteral("say \"hi\", ok"), QStringLiteral("two\r\nlines"), QStringLiteral("end")});
    EXPECT_FALSE(line.contains(u'\n'));
    FieldStream in(line);
    EXPECT_EQ(in.next(), QStringLiteral("say ＂hi＂, ok"));
    EXPECT_EQ(in.next(), QStringLiteral("two  lines"));
    EXPECT_EQ(in.next(), QStringLiteral("end"));
    EXPECT_TRUE(in.atEnd());
}
