// Where the program finds onkun.txt and base.moj: beside the executable (build tree, portable
// copy), else in the data folder of the tree it was installed in, wherever that tree lies;
// never at a place fixed when it was built.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/qt_platform.h"

class DataDirectoryTest : public QObject {
    Q_OBJECT

private:
    static void touch(const QString& path) {
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }

private slots:
    void lookup_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("expected");  // relative to the temporary folder
        // The executable is always <tmp>/prefix/bin/jirakubo.
        QTest::newRow("beside the executable") << QStringList{"prefix/bin/onkun.txt"} << "prefix/bin";
        QTest::newRow("base.moj alone is enough") << QStringList{"prefix/bin/base.moj"} << "prefix/bin";
        QTest::newRow("beside wins over installed")
            << QStringList{"prefix/bin/onkun.txt", "prefix/share/jirakubo/onkun.txt"} << "prefix/bin";
        QTest::newRow("installed tree")
            << QStringList{"prefix/share/jirakubo/onkun.txt"} << "prefix/share/jirakubo";
        QTest::newRow("installed tree, base.moj only")
            << QStringList{"prefix/share/jirakubo/base.moj"} << "prefix/share/jirakubo";
        QTest::newRow("other files do not count")
            << QStringList{"prefix/bin/JRB3.ini", "prefix/share/jirakubo/README.md"}
            << "prefix/share/jirakubo";
        // Nothing is looked up at a place fixed at build time: the installed tree is named, so
        // the message of a missing file says where it belongs.
        QTest::newRow("nothing anywhere") << QStringList{} << "prefix/share/jirakubo";
    }
    void lookup() {
        QFETCH(QStringList, files);
        QFETCH(QString, expected);
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        QVERIFY(QDir().mkpath(tmp.filePath("prefix/bin")));
        for (const QString& f : files) touch(tmp.filePath(f));
        QCOMPARE(findProgramDataDirectory(tmp.filePath("prefix/bin")),
                 QDir::cleanPath(tmp.filePath(expected)));
    }
};

QTEST_GUILESS_MAIN(DataDirectoryTest)
#include "data_directory_test.moc"
