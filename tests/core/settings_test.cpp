// The settings file read from bytes that are not all good, and never lost on writing.
#include "core/data/settings.h"

#include <QDir>
#include <QTemporaryDir>
#include <cmath>
#include <limits>

#include "test_util.h"

namespace {

QByteArray cp932(const QString& text) {
    return textcodec::encodeCp932(text).value();
}

const QString kGood = QStringLiteral("@IPAMincho\r\n 60 \r\n-30 \r\n三省堂\r\n漢字なぞり書きあり\r\n");

}  // namespace

TEST(SettingsReading, KeepsWhatComesBeforeABadByteAndRefusesWhatIsNotAValue) {
    const struct {
        const char* what;
        QByteArray bytes;
        Settings expected;
        int linesRead;
        bool whole;
        QString problem;  // a part of the message
    } cases[] = {
        {"a good file", cp932(kGood), {"@IPAMincho", 60, -30, "三省堂", "漢字なぞり書きあり"}, 5, true, {}},
        {"a 4-line file",
         cp932(QStringLiteral("IPAGothic\r\n 0 \r\n 30 \r\n光村図書\r\n")),
         {"IPAGothic", 0, 30, "光村図書", ""},
         4,
         true,
         {}},
        {"one stray byte at the end",
         cp932(kGood) + "\x81",
         {"@IPAMincho", 60, -30, "三省堂", "漢字なぞり書きあり"},
         5,
         false,
         QStringLiteral("%1バイト目から先").arg(cp932(kGood).size() + 1)},
        {"a bad byte in line 4",
         cp932(QStringLiteral("@IPAMincho\r\n 60 \r\n-30 \r\n三省")) + "\xA0堂\r\n",
         {"@IPAMincho", 60, -30, "", ""},
         3,
         false,
         QStringLiteral("バイト目から先")},
        {"saved as UTF-8",
         kGood.toUtf8(),
         {"@IPAMincho", 60, -30, "", ""},
         3,
         false,
         QStringLiteral("%1バイト目から先").arg(kGood.toUtf8().indexOf('\xE4') + 1)},
        {"saved as UTF-8 with its mark",
         "\xEF\xBB\xBF" + kGood.toUtf8(),
         {"", 0, 0, "", ""},
         0,
         false,
         QStringLiteral("1バイト目から先")},
        {"a company that is a path",
         cp932(QStringLiteral("F\r\n 0 \r\n 0 \r\n../../../../etc/passwd#\r\n\r\n")),
         {"F", 0, 0, "", ""},
         5,
         false,
         QStringLiteral("4行目の値（教科書会社の名前ではない）")},
        {"blanks around a company",
         cp932(QStringLiteral("F\r\n 0 \r\n 0 \r\n 東京書籍 \r\n")),
         {"F", 0, 0, "東京書籍", ""},
         4,
         true,
         {}},
        {"no company",
         cp932(QStringLiteral("F\r\n 0 \r\n 0 \r\n教科書指定なし\r\n")),
         {"F", 0, 0, "教科書指定なし", ""},
         4,
         true,
         {}},
        {"NUL in the font",
         QByteArray("Fo\0nt\r\n 30 \r\n", 13),
         {"", 30, 0, "", ""},
         2,
         false,
         QStringLiteral("1行目の値（制御文字を含む）")},
        {"NUL in the tracing mark",
         cp932(QStringLiteral("F\r\n 0 \r\n 0 \r\n三省堂\r\n")) + QByteArray("\0\r\n", 3),
         {"F", 0, 0, "三省堂", ""},
         5,
         false,
         QStringLiteral("5行目の値")},
        {"a sixth value",
         cp932(kGood + QStringLiteral("more\r\n")),
         {"@IPAMincho", 60, -30, "三省堂", "漢字なぞり書きあり"},
         5,
         false,
         QStringLiteral("6つ目から先")},
        {"an empty file", QByteArray(), {"", 0, 0, "", ""}, 0, true, {}},
        // Found by the settings fuzz target: code page 932 bytes that are valid UTF-8 too.
        {"kanji that pass for UTF-8",
         cp932(QStringLiteral("霓甚\r\n 0 \r\n 0 \r\n")),
         {"霓甚", 0, 0, "", ""},
         3,
         true,
         {}},
    };
    for (const auto& c : cases) {
        const SettingsReadResult r = readSettingsBytes(c.bytes, QStringLiteral("/d/JRB3.ini"));
        EXPECT_EQ(r.settings.fontLine, c.expected.fontLine) << c.what;
        EXPECT_EQ(r.settings.kanaOffset1, c.expected.kanaOffset1) << c.what;
        EXPECT_EQ(r.settings.kanaOffset2, c.expected.kanaOffset2) << c.what;
        EXPECT_EQ(r.settings.companyLine, c.expected.companyLine) << c.what;
        EXPECT_EQ(r.settings.tracingLine, c.expected.tracingLine) << c.what;
        EXPECT_EQ(r.linesRead, c.linesRead) << c.what;
        EXPECT_EQ(r.readWhole, c.whole) << c.what;
        EXPECT_EQ(r.problem.isEmpty(), c.whole) << c.what;
        EXPECT_TRUE(r.problem.contains(c.problem)) << c.what << ": " << r.problem.toStdString();
        if (!c.whole) {
            EXPECT_TRUE(
                r.problem.startsWith(QStringLiteral("設定ファイル /d/JRB3.ini を全部は読めませんでした。")))
                << c.what;
            EXPECT_TRUE(r.problem.contains(QStringLiteral("/d/JRB3.ini.bak"))) << c.what;
        }
    }
}

TEST(SettingsReading, KanaOffsetsAreNumbersWithinTheSliderRange) {
    const struct {
        QString text;
        std::optional<double> value;
        bool clamped;
    } cases[] = {
        {QStringLiteral(" 60 "), 60, false},
        {QStringLiteral("-30"), -30, false},
        {QStringLiteral("+90"), 90, false},
        {QStringLiteral("1.5e2"), 150, false},
        {QStringLiteral("-0"), 0, false},
        {QStringLiteral("300"), 300, false},
        {QStringLiteral("301"), 300, true},
        {QStringLiteral("-9999"), -300, true},
        {QStringLiteral("1e999"), 300, true},
        {QStringLiteral("-1e999"), -300, true},
        {QStringLiteral("1e-999"), 0, false},
        {QStringLiteral("nan"), {}, false},
        {QStringLiteral("inf"), {}, false},
        {QStringLiteral("-infinity"), {}, false},
        {QStringLiteral("0x10"), {}, false},
        {QStringLiteral("abc"), {}, false},
        {QStringLiteral("."), {}, false},
        {QStringLiteral("1e"), {}, false},
        {QStringLiteral("6 0"), {}, false},
        {QStringLiteral("６０"), {}, false},
        {QString(), {}, false},
    };
    for (const auto& c : cases) {
        bool clamped = false;
        const std::optional<double> v = parseKanaOffset(c.text, &clamped);
        EXPECT_EQ(v, c.value) << c.text.toStdString();
        EXPECT_EQ(clamped, c.clamped) << c.text.toStdString();
    }
    // Through the file: a number that is not one gives 0, one out of range is clamped.
    const SettingsReadResult r = readSettingsBytes(cp932(QStringLiteral("F\r\nnan\r\n1e999\r\n")));
    EXPECT_EQ(r.settings.kanaOffset1, 0);
    EXPECT_EQ(r.settings.kanaOffset2, 300);
    EXPECT_FALSE(r.readWhole);
    EXPECT_TRUE(r.problem.contains(QStringLiteral("2行目の値（数ではない）")));
    EXPECT_TRUE(r.problem.contains(QStringLiteral("3行目の値を300にしました")));
}

TEST(SettingsWriting, AFileThatWasNotReadWholeIsKeptAsTheBackup) {
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("JRB3.ini"));
    const QString bak = dir.filePath(QStringLiteral("JRB3.ini.bak"));
    EXPECT_EQ(settingsBackupPath(p), bak);
    const Settings s{QStringLiteral("IPAGothic"), 30, 0, QStringLiteral("東京書籍"),
                     QStringLiteral("漢字なぞり書きあり")};
    const QByteArray written =
        cp932(QStringLiteral("IPAGothic\r\n 30 \r\n 0 \r\n東京書籍\r\n漢字なぞり書きあり\r\n"));

    // A good file is replaced without a copy.
    writeBytes(p, cp932(kGood));
    ASSERT_TRUE(writeSettings(p, s, true));
    EXPECT_EQ(readBytes(p), written);
    EXPECT_FALSE(QFile::exists(bak));

    const QByteArray bad[] = {cp932(kGood) + "\x81", kGood.toUtf8(),
                              cp932(QStringLiteral("F\r\n 0 \r\n 0 \r\n../../x#\r\n"))};
    for (const QByteArray& old : bad) {
        writeBytes(p, old);
        ASSERT_TRUE(writeSettings(p, s, true));
        EXPECT_EQ(readBytes(bak), old);
        EXPECT_EQ(readBytes(p), written);
        // The file is whole now: the next write keeps the copy as it is.
        ASSERT_TRUE(writeSettings(p, s, false));
        EXPECT_EQ(readBytes(bak), old);
    }
}

TEST(SettingsWriting, NothingIsWrittenWhereNoCopyCanBeKept) {
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("JRB3.ini"));
    const Settings s{QStringLiteral("F"), 0, 0, QString(), QString()};
    // The settings path is a folder: it is neither read nor replaced.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("JRB3.ini")));
    EXPECT_FALSE(writeSettings(p, s, true));
    EXPECT_TRUE(QFileInfo(p).isDir());
    const SettingsReadResult r = readSettings(p);
    EXPECT_FALSE(r.fileNotFound);
    EXPECT_FALSE(r.readWhole);
    EXPECT_EQ(r.problem, QStringLiteral("設定ファイル %1 を読めませんでした。初めの設定を使います。").arg(p));

    // A bad file whose copy cannot be written stays as it was.
    const QString q = dir.filePath(QStringLiteral("sub/JRB3.ini"));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("sub/JRB3.ini.bak/x")));  // the copy's name is taken
    writeBytes(q, cp932(kGood) + "\x81");
    EXPECT_FALSE(writeSettings(q, s, true));
    EXPECT_EQ(readBytes(q), cp932(kGood) + "\x81");
}

// A file far larger than any settings file is not one: it is not read (the defaults apply,
// with a message), and the next write moves it aside whole instead of copying it.
TEST(SettingsReading, AFileTooLargeToBeSettingsIsRefusedUnreadAndMovedAside) {
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("JRB3.ini"));
    const QString bak = dir.filePath(QStringLiteral("JRB3.ini.bak"));
    // 65536 bytes: the largest file still read; the values come first, blank lines after.
    QByteArray largest = cp932(kGood);
    largest += QByteArray(65536 - largest.size(), '\n');
    writeBytes(p, largest);
    SettingsReadResult r = readSettings(p);
    EXPECT_TRUE(r.readWhole) << r.problem.toStdString();
    EXPECT_EQ(r.settings.fontLine, QStringLiteral("@IPAMincho"));
    EXPECT_EQ(r.settings.kanaOffset1, 60);

    const QByteArray tooLarge = largest + "\n";
    writeBytes(p, tooLarge);
    for (const SettingsReadResult& refused : {readSettings(p), readSettingsBytes(tooLarge, p)}) {
        EXPECT_FALSE(refused.readWhole);
        EXPECT_FALSE(refused.fileNotFound);
        EXPECT_EQ(refused.linesRead, 0);
        EXPECT_EQ(refused.settings.fontLine, QString());
        EXPECT_EQ(refused.settings.kanaOffset1, 0);
        EXPECT_EQ(
            refused.problem,
            QStringLiteral(
                "設定ファイル %1 は65537バイトあり、設定ファイルにしては大きすぎるため、読みませんでした。"
                "初めの設定を使います。元のファイルは、次に設定を保存する前に %2 に移しておきます。")
                .arg(p, bak));
    }
    EXPECT_EQ(readBytes(p), tooLarge);

    const Settings s{QStringLiteral("F"), 0, 0, QString(), QString()};
    QString error;
    ASSERT_TRUE(writeSettings(p, s, false, &error)) << error.toStdString();
    EXPECT_EQ(readBytes(bak), tooLarge);
    EXPECT_EQ(readBytes(p), QByteArray("F\r\n 0 \r\n 0 \r\n\r\n"));
}

TEST(SettingsWriting, ATooLargeFileThatCannotBeMovedAsideStaysAndNothingIsWritten) {
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("JRB3.ini"));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("JRB3.ini.bak/x")));  // a folder that is not empty
    const QByteArray tooLarge(70000, 'x');
    writeBytes(p, tooLarge);
    QString error;
    EXPECT_FALSE(writeSettings(p, Settings{QStringLiteral("F"), 0, 0, {}, {}}, true, &error));
    EXPECT_TRUE(error.startsWith(
        QStringLiteral("%1 に設定を保存できませんでした。%1 を %1.bak に移せません。").arg(p)))
        << error.toStdString();
    EXPECT_EQ(readBytes(p), tooLarge);
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("JRB3.ini.bak/x"))).isDir());
}

// The reason of a failed write reaches the caller, which tells the user.
TEST(SettingsWriting, AFailedWriteSaysWhy) {
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("JRB3.ini"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("JRB3.ini")));
    QString error;
    EXPECT_FALSE(writeSettings(p, Settings{QStringLiteral("F"), 0, 0, {}, {}}, true, &error));
    EXPECT_EQ(error, QStringLiteral("%1 に設定を保存できませんでした。%1 はフォルダーです。").arg(p));

    const QString q = dir.filePath(QStringLiteral("other.ini"));
    error.clear();
    EXPECT_FALSE(writeSettings(q, Settings{QStringLiteral("𠮟"), 0, 0, {}, {}}, true, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("𠮟"))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(q));
}
