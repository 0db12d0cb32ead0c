// FN.txt: the manuscript paper window's options between sessions.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "paper/manuscript_options.h"
#include "test_util.h"

namespace {

TEST(ManuscriptOptionsFile, WritesNineLinesInCodePage932WithCrLf) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(kManuscriptOptionsFileName);
    ManuscriptFileOptions o;
    o.carriedText = QStringLiteral("メモ");
    o.carriedNumber1 = 3;
    o.carriedNumber2 = -2.5;
    o.cross = true;
    o.b4 = true;
    o.readings = false;
    o.otherColor = true;
    o.title = QStringLiteral("作文, 一年");
    o.color = 16711680;
    QString message;
    ASSERT_TRUE(writeManuscriptOptions(path, o, &message)) << message.toStdString();
    const QByteArray expected = *textcodec::encodeCp932(QStringLiteral(
        "メモ\r\n 3 \r\n-2.5 \r\n 1 \r\n 1 \r\n 1 \r\n 1 \r\n\"作文, 一年\"\r\n 16711680 \r\n"));
    EXPECT_EQ(readBytes(path), expected);

    const ManuscriptOptionsReadResult r = readManuscriptOptions(path);
    EXPECT_TRUE(r.complete);
    EXPECT_EQ(r.options.carriedText, o.carriedText);
    EXPECT_EQ(r.options.carriedNumber1, 3);
    EXPECT_EQ(r.options.carriedNumber2, -2.5);
    EXPECT_TRUE(r.options.cross);
    EXPECT_TRUE(r.options.b4);
    EXPECT_FALSE(r.options.readings);
    EXPECT_TRUE(r.options.otherColor);
    EXPECT_EQ(r.options.title, o.title);
    EXPECT_EQ(r.options.color, 16711680);
}

TEST(ManuscriptOptionsFile, DefaultsWriteZerosAndReadBack) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(kManuscriptOptionsFileName);
    ASSERT_TRUE(writeManuscriptOptions(path, ManuscriptFileOptions{}, nullptr));
    EXPECT_EQ(readBytes(path), QByteArray("\r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n 0 \r\n"));
    const ManuscriptOptionsReadResult r = readManuscriptOptions(path);
    EXPECT_TRUE(r.complete);
    EXPECT_FALSE(r.options.cross);
    EXPECT_FALSE(r.options.b4);
    EXPECT_TRUE(r.options.readings);
    EXPECT_FALSE(r.options.otherColor);
    EXPECT_EQ(r.options.title, QString());
    EXPECT_EQ(r.options.color, 0);
}

// A missing or short file leaves every option at its default; the carried lines keep what
// was there to read.
TEST(ManuscriptOptionsFile, MissingOrShortFileGivesTheDefaults) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(kManuscriptOptionsFileName);
    ManuscriptOptionsReadResult r = readManuscriptOptions(path);
    EXPECT_FALSE(r.complete);
    EXPECT_FALSE(r.options.b4);
    EXPECT_TRUE(r.options.readings);

    writeCp932(path, QStringLiteral("メモ\r\n 7 \r\n 8 \r\n 1 \r\n 1 \r\n 1 \r\n 1 \r\n題\r\n"));
    r = readManuscriptOptions(path);
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.options.carriedText, QStringLiteral("メモ"));
    EXPECT_EQ(r.options.carriedNumber1, 7);
    EXPECT_EQ(r.options.carriedNumber2, 8);
    EXPECT_FALSE(r.options.cross);
    EXPECT_FALSE(r.options.b4);
    EXPECT_TRUE(r.options.readings);
    EXPECT_FALSE(r.options.otherColor);
    EXPECT_EQ(r.options.title, QString());
    EXPECT_EQ(r.options.color, 0);
}

TEST(ManuscriptOptionsFile, OutOfRangeColourReadsAsBlack) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(kManuscriptOptionsFileName);
    writeBytes(path, "x\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\nt\r\n-5\r\n");
    const ManuscriptOptionsReadResult r = readManuscriptOptions(path);
    EXPECT_TRUE(r.complete);
    EXPECT_TRUE(r.options.otherColor);
    EXPECT_EQ(r.options.color, 0);
}

// A title code page 932 cannot hold is refused with a message naming it; the file before
// stays as it was.
TEST(ManuscriptOptionsFile, UnencodableTitleLeavesTheFileAlone) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(kManuscriptOptionsFileName);
    writeBytes(path, "old\r\n");
    ManuscriptFileOptions o;
    o.title = QStringLiteral("𠮟る");
    QString message;
    EXPECT_FALSE(writeManuscriptOptions(path, o, &message));
    EXPECT_TRUE(message.contains(QStringLiteral("𠮟"))) << message.toStdString();
    EXPECT_EQ(readBytes(path), QByteArray("old\r\n"));
}

}  // namespace
