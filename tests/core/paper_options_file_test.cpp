// FN.txt: the manuscript paper window's options between sessions.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/paper/manuscript_options.h"
#include "test_util.h"

namespace {

QByteArray cp932(const QString& text) {
    return textcodec::encodeCp932(text).value();
}

// Every option away from its default, so a value that falls back shows.
const QString kGood = QStringLiteral("メモ\r\n 4 \r\n 5 \r\n 1 \r\n 1 \r\n 1 \r\n 1 \r\n作文\r\n 65280 \r\n");

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
    EXPECT_FALSE(r.readWhole);
    EXPECT_TRUE(r.problem.contains(QStringLiteral("9行目の値（色の値ではない）"))) << r.problem.toStdString();
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

// Lines 2 and 3 are carried unchanged: a number with many digits is written back as it was
// read, not rounded to seven digits.
TEST(ManuscriptOptionsFile, CarriedNumbersKeepEveryDigit) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(kManuscriptOptionsFileName);
    writeBytes(path, "x\r\n1618030522.2\r\n0.1\r\n0\r\n0\r\n0\r\n0\r\n\r\n0\r\n");
    const ManuscriptOptionsReadResult r = readManuscriptOptions(path);
    ASSERT_TRUE(r.readWhole);
    EXPECT_EQ(r.options.carriedNumber1, 1618030522.2);
    ASSERT_TRUE(writeManuscriptOptions(path, r.options, nullptr));
    EXPECT_EQ(readBytes(path),
              QByteArray("x\r\n 1618030522.2 \r\n 0.1 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n 0 \r\n"));
}

// What a file that is not all good gives: the values before a bad byte (options included),
// each value that is not one at its default, and a message naming the file and its copy.
TEST(ManuscriptOptionsFile, KeepsWhatWasReadAndSaysWhatWasNot) {
    struct Expected {
        QString carriedText;
        double carried1, carried2;
        bool cross, b4, readings, otherColor;
        QString title;
        int color;
    };
    const Expected all{"メモ", 4, 5, true, true, false, true, "作文", 65280};
    const Expected none{"", 0, 0, false, false, true, false, "", 0};
    const struct {
        const char* what;
        QByteArray bytes;
        Expected expected;
        bool whole;
        QString problem;  // a part of the message
    } cases[] = {
        {"a good file", cp932(kGood), all, true, {}},
        {"a short file (read whole: only its carried lines count)",
         cp932(QStringLiteral("メモ\r\n 4 \r\n 5 \r\n 1 \r\n 1 \r\n")),
         {"メモ", 4, 5, false, false, true, false, "", 0},
         true,
         {}},
        // (Not every UTF-8 text is caught: "メモ" in UTF-8 makes good code page 932.)
        {"saved as UTF-8: nothing before its first kanji",
         QStringLiteral("日記\r\n 4 \r\n 5 \r\n 1 \r\n 1 \r\n 1 \r\n 1 \r\n作文\r\n 65280 \r\n").toUtf8(),
         none, false, QStringLiteral("1バイト目から先がShift-JIS")},
        {"a bad byte in the title: the options before it stay",
         cp932(QStringLiteral("メモ\r\n 4 \r\n 5 \r\n 1 \r\n 1 \r\n 1 \r\n 1 \r\n")) +
             "\x81\x20\r\n 65280 \r\n",
         {"メモ", 4, 5, true, true, false, true, "", 0},
         false,
         QStringLiteral("%1バイト目から先")
             .arg(cp932(QStringLiteral("メモ\r\n 4 \r\n 5 \r\n 1 \r\n 1 \r\n 1 \r\n 1 \r\n")).size() + 1)},
        {"UTF-16", QByteArray("\xFF\xFE", 2) + QByteArray("x\0\r\0\n\0", 6), none, false,
         QStringLiteral("1バイト目から先")},
        {"a carried number that is not one",
         cp932(QStringLiteral("メモ\r\n four \r\n 5 \r\n 1 \r\n 1 \r\n 1 \r\n 1 \r\n作文\r\n 65280 \r\n")),
         {"メモ", 0, 5, true, true, false, true, "作文", 65280},
         false,
         QStringLiteral("2行目の値（数ではない）")},
        {"an option that is neither 0 nor 1",
         cp932(QStringLiteral("メモ\r\n 4 \r\n 5 \r\n 1 \r\n 2 \r\n 1 \r\n 1 \r\n作文\r\n 65280 \r\n")),
         {"メモ", 4, 5, true, false, false, true, "作文", 65280},
         false,
         QStringLiteral("5行目の値（0でも1でもない）")},
        {"a colour with a fraction",
         cp932(QStringLiteral("メモ\r\n 4 \r\n 5 \r\n 1 \r\n 1 \r\n 1 \r\n 1 \r\n作文\r\n 2.5 \r\n")),
         {"メモ", 4, 5, true, true, false, true, "作文", 0},
         false,
         QStringLiteral("9行目の値（色の値ではない）")},
        {"a colour past 24 bits",
         cp932(QStringLiteral("メモ\r\n 4 \r\n 5 \r\n 1 \r\n 1 \r\n 1 \r\n 1 \r\n作文\r\n 16777216 \r\n")),
         {"メモ", 4, 5, true, true, false, true, "作文", 0},
         false,
         QStringLiteral("9行目の値（色の値ではない）")},
        {"a control character in the title",
         cp932(QStringLiteral("メモ\r\n 4 \r\n 5 \r\n 1 \r\n 1 \r\n 1 \r\n 1 \r\n作\x01文\r\n 65280 \r\n")),
         {"メモ", 4, 5, true, true, false, true, "", 65280},
         false,
         QStringLiteral("8行目の値（制御文字を含む）")},
        {"a tenth value", cp932(kGood + QStringLiteral("more\r\n")), all, false,
         QStringLiteral("10個目から先")},
        {"an empty file", QByteArray(), none, true, {}},
        {"far too large", QByteArray(70000, '\n'), none, false, QStringLiteral("大きすぎる")},
    };
    for (const auto& c : cases) {
        const ManuscriptOptionsReadResult r =
            readManuscriptOptionsBytes(c.bytes, QStringLiteral("/d/FN.txt"));
        const ManuscriptFileOptions& o = r.options;
        EXPECT_EQ(o.carriedText, c.expected.carriedText) << c.what;
        EXPECT_EQ(o.carriedNumber1, c.expected.carried1) << c.what;
        EXPECT_EQ(o.carriedNumber2, c.expected.carried2) << c.what;
        EXPECT_EQ(o.cross, c.expected.cross) << c.what;
        EXPECT_EQ(o.b4, c.expected.b4) << c.what;
        EXPECT_EQ(o.readings, c.expected.readings) << c.what;
        EXPECT_EQ(o.otherColor, c.expected.otherColor) << c.what;
        EXPECT_EQ(o.title, c.expected.title) << c.what;
        EXPECT_EQ(o.color, c.expected.color) << c.what;
        EXPECT_EQ(r.readWhole, c.whole) << c.what;
        EXPECT_EQ(r.problem.isEmpty(), c.whole) << c.what;
        EXPECT_TRUE(r.problem.contains(c.problem)) << c.what << ": " << r.problem.toStdString();
        if (!c.whole) {
            EXPECT_TRUE(r.problem.startsWith(
                            QStringLiteral("原稿用紙の設定ファイル /d/FN.txt を全部は読めませんでした。")) ||
                        r.problem.startsWith(QStringLiteral("設定ファイル /d/FN.txt は70000バイトあり")))
                << c.what << ": " << r.problem.toStdString();
            EXPECT_TRUE(r.problem.contains(QStringLiteral("/d/FN.txt.bak"))) << c.what;
        }
    }
}

// A file read only in part is kept as FN.txt.bak before it is replaced; a good or short
// one is replaced without a copy, and a copy already kept stays once the file is good.
TEST(ManuscriptOptionsFile, AFileNotReadWholeIsKeptBeforeItIsReplaced) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(kManuscriptOptionsFileName);
    const QString bak = path + QStringLiteral(".bak");
    ManuscriptFileOptions o;
    o.title = QStringLiteral("日記");
    const QByteArray written =
        cp932(QStringLiteral("\r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n日記\r\n 0 \r\n"));

    for (const QByteArray& good : {cp932(kGood), QByteArray("x\r\n 1 \r\n")}) {
        writeBytes(path, good);
        ASSERT_TRUE(writeManuscriptOptions(path, o, nullptr));
        EXPECT_EQ(readBytes(path), written);
        EXPECT_FALSE(QFile::exists(bak));
    }
    const QByteArray utf8 = QStringLiteral("日記\r\n 4 \r\n").toUtf8();
    for (const QByteArray& bad : {utf8, cp932(kGood + QStringLiteral("more\r\n"))}) {
        writeBytes(path, bad);
        QString message;
        ASSERT_TRUE(writeManuscriptOptions(path, o, &message)) << message.toStdString();
        EXPECT_EQ(readBytes(bak), bad);
        EXPECT_EQ(readBytes(path), written);
        ASSERT_TRUE(writeManuscriptOptions(path, o, nullptr));
        EXPECT_EQ(readBytes(bak), bad);
    }
    // Too large: moved aside whole.
    const QByteArray tooLarge(70000, 'x');
    writeBytes(path, tooLarge);
    ASSERT_TRUE(writeManuscriptOptions(path, o, nullptr));
    EXPECT_EQ(readBytes(bak), tooLarge);
    EXPECT_EQ(readBytes(path), written);
}

TEST(ManuscriptOptionsFile, NothingIsWrittenWhereTheOldFileCannotBeKept) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(kManuscriptOptionsFileName);
    // FN.txt is a folder: a message, and the folder stays.
    ASSERT_TRUE(QDir(dir.path()).mkdir(kManuscriptOptionsFileName));
    ManuscriptOptionsReadResult r = readManuscriptOptions(path);
    EXPECT_FALSE(r.fileNotFound);
    EXPECT_FALSE(r.readWhole);
    EXPECT_EQ(
        r.problem,
        QStringLiteral("原稿用紙の設定ファイル %1 を読めませんでした。初めの設定を使います。").arg(path));
    QString message;
    EXPECT_FALSE(writeManuscriptOptions(path, ManuscriptFileOptions{}, &message));
    EXPECT_EQ(message, QStringLiteral("%1 はフォルダーです。").arg(path));
    EXPECT_TRUE(QFileInfo(path).isDir());
    ASSERT_TRUE(QDir(dir.path()).rmdir(kManuscriptOptionsFileName));

    // A bad file whose copy's name is taken by a folder stays as it was.
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("FN.txt.bak/x")));
    const QByteArray utf8 = QStringLiteral("日記\r\n").toUtf8();
    writeBytes(path, utf8);
    message.clear();
    EXPECT_FALSE(writeManuscriptOptions(path, ManuscriptFileOptions{}, &message));
    EXPECT_TRUE(message.startsWith(QStringLiteral("%1.bak に元のファイルを写せません。").arg(path)))
        << message.toStdString();
    EXPECT_EQ(readBytes(path), utf8);
}

}  // namespace
