#include "core/data/field_stream.h"

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
        {QStringLiteral("a,,b,"), {"a", "", "b"}},          // trailing comma ends the stream
        {QStringLiteral("  a,\t b ,c"), {"a", "b ", "c"}},  // leading blanks skipped only
        {QStringLiteral("\"x,y\",z"), {"x,y", "z"}},        // quoted field keeps its comma
        {QStringLiteral("\"q\"junk,z"), {"q", "z"}},        // text after the closing quote dropped
        {QStringLiteral("a\nb\rc"), {"a", "b", "c"}},       // lone LF and CR end fields too
        {QStringLiteral("　全角,x"), {"　全角", "x"}},      // a full-width blank is text
        {QStringLiteral("\"open"), {"open"}},               // unclosed quote runs to the end
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
    const QStringList texts{QStringLiteral("plain"),
                            QStringLiteral("a,b"),
                            QStringLiteral(" lead"),
                            QStringLiteral("trail "),
                            QString(),
                            QStringLiteral("漢字、かな")};
    FieldStream in(joinFields(texts) + QStringLiteral("\r\n"));
    for (const QString& t : texts) EXPECT_EQ(in.next(), t);
    EXPECT_TRUE(in.atEnd());
    // Ordinary texts are written exactly as they are.
    EXPECT_EQ(joinFields({QStringLiteral("あ"), QStringLiteral("い")}), QStringLiteral("あ,い"));
}

TEST(FieldStream, QuotesAndLineBreaksCannotSplitARecord) {
    const QString line =
        joinFields({QStringLiteral("say \"hi\", ok"), QStringLiteral("two\r\nlines"), QStringLiteral("end")});
    EXPECT_FALSE(line.contains(u'\n'));
    FieldStream in(line);
    EXPECT_EQ(in.next(), QStringLiteral("say ＂hi＂, ok"));
    EXPECT_EQ(in.next(), QStringLiteral("two  lines"));
    EXPECT_EQ(in.next(), QStringLiteral("end"));
    EXPECT_TRUE(in.atEnd());
}

TEST(FieldStream, LineEndsBeforeTheLastFieldAreEmptyFields) {
    // The end-of-file check is answered from where the last text is, found once; line ends
    // before text still end one field each.
    FieldStream in(QStringLiteral("\r\n\r\n \r\nx\r\n\r\n"));
    QStringList fields;
    while (!in.atEnd()) fields << in.next();
    EXPECT_EQ(fields, QStringList({"", "", "", "x"}));
    EXPECT_TRUE(in.atEnd());
    EXPECT_TRUE(FieldStream(QString()).atEnd());
    EXPECT_TRUE(FieldStream(QStringLiteral(" \t\r\n")).atEnd());
}

TEST(FieldStream, SpansSayWhetherAFieldIsWrittenAsTheWriterWritesIt) {
    const struct {
        QString text;
        qsizetype begin, end;
        bool plain, endedByComma;
    } cases[] = {
        {QStringLiteral("abc,"), 0, 3, true, true},
        {QStringLiteral("abc\r\n"), 0, 3, true, false},
        {QStringLiteral("abc"), 0, 3, true, false},
        {QStringLiteral(","), 0, 0, true, true},          // an empty field
        {QStringLiteral(" abc,"), 0, 4, false, true},     // a leading blank is skipped
        {QStringLiteral("abc ,"), 0, 4, false, true},     // a trailing blank gets quotes
        {QStringLiteral("a\"c,"), 0, 3, false, true},     // a quote becomes "＂"
        {QStringLiteral("\"abc\","), 0, 5, false, true},  // quoted
        {QStringLiteral("\"a\"junk\n"), 0, 7, false, false},
        {QStringLiteral("  \r\n"), 0, 2, false, false},  // blanks only: an empty field
    };
    for (const auto& c : cases) {
        FieldStream in(c.text);
        in.next();
        EXPECT_EQ(in.lastSpan().begin, c.begin) << c.text.toStdString();
        EXPECT_EQ(in.lastSpan().end, c.end) << c.text.toStdString();
        EXPECT_EQ(in.lastSpan().plain, c.plain) << c.text.toStdString();
        EXPECT_EQ(in.lastSpan().endedByComma, c.endedByComma) << c.text.toStdString();
        // A plain field is its own characters and stays itself when written.
        if (c.plain) {
            EXPECT_EQ(in.view(c.begin, c.end).toString(), encodeField(in.view(c.begin, c.end).toString()));
        }
    }
}

TEST(TextArena, TextsAreOrdinaryStringsThatOutliveTheArena) {
    QStringList kept;
    {
        TextArena arena(4);  // small: the texts spread over several buffers
        for (int i = 0; i < 40000; ++i) kept << arena.add(QStringLiteral("漢字%1").arg(i));
        EXPECT_TRUE(arena.add(QStringView()).isNull());
    }
    for (int i : {0, 1, 20000, 39999}) {
        const QString& t = kept[i];
        EXPECT_EQ(t, QStringLiteral("漢字%1").arg(i));
        EXPECT_EQ(t.utf16()[t.size()], 0);  // NUL-terminated like any QString
    }
    // Changing a text changes only that text.
    kept[1].append(QStringLiteral("を"));
    kept[1][0] = u'X';
    EXPECT_EQ(kept[1], QStringLiteral("X字1を"));
    EXPECT_EQ(kept[2], QStringLiteral("漢字2"));
    // The last owner of a buffer may grow its text; the others are not touched.
    QString last = kept[39999];
    kept.clear();
    last.append(QString(100, u'z'));
    EXPECT_EQ(last, QStringLiteral("漢字39999") + QString(100, u'z'));
}
