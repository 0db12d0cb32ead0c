// The command line's convert: what it refuses, and that a refusal leaves every file as it was.
#include "core/data/convert_file.h"

#include <QDir>
#include <QTemporaryDir>
#include <map>

#include "core/data/workbook.h"
#include "test_util.h"

namespace {

struct Convert : ::testing::Test {
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
    QString pages(int n) const {
        QString text;
        for (int i = 0; i < n; ++i)
            text += mojxLine(QStringLiteral("頁%1").arg(i), {}) + QStringLiteral("\r\n");
        return text;
    }
    void SetUp() override {
        QDir(dir.path()).mkpath(QStringLiteral("program"));
        QDir(dir.path()).mkpath(QStringLiteral("folder.mojx"));
        writeCp932(path("program/base.moj"),
                   mojxLine(QStringLiteral("例"), {}).section(u',', 0, 42) + "\r\n");
        writeCp932(path("p230.mojx"), pages(230));
        writeCp932(path("p3.mojx"), pages(3));
        writeCp932(path("old.mojx"), pages(1));
        writeBytes(path("utf8.mojx"), pages(2).toUtf8());
    }
    // Every file of the folder with its bytes.
    std::map<QString, QByteArray> snapshot() const {
        std::map<QString, QByteArray> files;
        QDir d(dir.path());
        for (const QString& f : d.entryList(QDir::Files | QDir::Hidden)) files[f] = readBytes(path(f));
        return files;
    }
};

}  // namespace

TEST_F(Convert, RefusalsWriteNothingAndSayWhy) {
    const struct {
        QString in, out;
        QString message;
    } cases[] = {
        {path("none.mojx"), path("o.mojx"), path("none.mojx") + QStringLiteral(": ファイルが見つかりません")},
        {path("folder.mojx"), path("o.mojx"),
         path("folder.mojx") + QStringLiteral(": フォルダーです。ファイルではありません")},
        {path("p3.mojx"), path("folder.mojx"),
         path("folder.mojx") + QStringLiteral(": フォルダーです。ファイルではありません")},
        {path("p3.mojx"), path("o.txt"),
         path("o.txt") + QStringLiteral(": 出力は .mojx ファイルにしてください")},
        {path("program/base.moj"), path("o.mojx"),
         path("program/base.moj") +
             QStringLiteral(": 例文ファイル base.moj です。問題ファイルではありません")},
        {path("p3.mojx"), path("p3.mojx"),
         path("p3.mojx") +
             QStringLiteral(
                 ": 出力先が入力ファイルと同じです。convert は新しいファイルに書き出し、入力ファイルは"
                 "そのまま残します")},
        {path("p3.mojx"), path("program/../p3.mojx"),
         path("program/../p3.mojx") +
             QStringLiteral(
                 ": 出力先が入力ファイルと同じです。convert は新しいファイルに書き出し、入力ファイルは"
                 "そのまま残します")},
        {path("p230.mojx"), path("old.mojx"),
         path("p230.mojx") +
             QStringLiteral(": 230ページあり、問題ファイルに入る201ページを超えるため、何も書き出していません"
                            "（--keep-first-201 を付けると最初の201ページを書き出し、29ページを除きます）")},
        {path("utf8.mojx"), path("o.mojx"),
         path("utf8.mojx") + QStringLiteral(" はUTF-8で保存されたテキストのため、読み込めません。Shift-"
                                            "JIS（コードページ932）で保存し直してください。")},
        {path("p3.mojx"), path("no/such/folder/o.mojx"),
         path("no/such/folder/o.mojx") +
             QStringLiteral(" に保存できませんでした。\n保存先のフォルダーが見つかりません。")},
    };
    for (const auto& c : cases) {
        const auto before = snapshot();
        const ConvertResult r = convertProblemFile(c.in, c.out, {}, path("program"));
        EXPECT_FALSE(r.written) << c.in.toStdString();
        EXPECT_TRUE(r.message.startsWith(c.message)) << r.message.toStdString();
        EXPECT_EQ(snapshot(), before) << c.in.toStdString();
    }
}

TEST_F(Convert, MoreThan201PagesOnlyWhenAskedFor) {
    ConvertOptions keep;
    keep.keepFirst201 = true;
    const ConvertResult r = convertProblemFile(path("p230.mojx"), path("old.mojx"), keep, path("program"));
    ASSERT_TRUE(r.written) << r.message.toStdString();
    EXPECT_EQ(r.pagesWritten, 201);
    EXPECT_EQ(r.pagesLeftOut, 29);
    EXPECT_EQ(readBytes(path("old.mojx")), textcodec::encodeCp932(pages(201)).value());
    EXPECT_FALSE(QFile::exists(path("oldBK.mojx")));  // convert keeps no backup

    // A file of the example file's name elsewhere is a workbook like any other.
    writeCp932(path("base.moj"), mojxLine(QStringLiteral("例"), {}).section(u',', 0, 42) + "\r\n");
    const ConvertResult b = convertProblemFile(path("base.moj"), path("b.mojx"), {}, path("program"));
    ASSERT_TRUE(b.written) << b.message.toStdString();
    EXPECT_EQ(readCp932(path("b.mojx")), mojxLine(QStringLiteral("例"), {}) + "\r\n");
}
