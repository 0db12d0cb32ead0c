// ふりがな自動 in the real window: a kanji word pasted into the entry box gets a proposed
// reading when the item is checked, and none when it is not; the reading follows the row as
// the teacher types it.
#include <QClipboard>
#include <QtTest>

#include "core/data/reading_proposer.h"
#include "editing_window.h"

class AutoReadingWidgetTest : public QObject {
    Q_OBJECT

private slots:
    void pastedWordGetsAProposalOnlyWithTheOptionOn_data() {
        QTest::addColumn<bool>("on");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }
    void pastedWordGetsAProposalOnlyWithTheOptionOn() {
        QFETCH(bool, on);
        if (!ReadingProposer::shared().isAvailable())
            QSKIP("MeCab with a UTF-8 IPA dictionary is not installed");
        EditingWindow w;
        QVERIFY(w.startWorkbook());
        if (on) QVERIFY(w.chooseMenu(QStringLiteral("yauto")));
        QCOMPARE(w.view.menuAction(QStringLiteral("yauto"))->isChecked(), on);
        w.click(w.cell(1, kColBefore));
        w.type(QStringLiteral("きのう、"));
        w.click(w.cell(1, kColAfter));
        w.type(QStringLiteral("へ行った。"));
        w.click(w.cell(1, kColKanji));
        QGuiApplication::clipboard()->setText(QStringLiteral("学校"));
        QTest::keyClick(w.entry(), Qt::Key_V, Qt::ControlModifier);  // paste
        QCOMPARE(w.cell(1, kColKanji)->text(), QStringLiteral("学校"));
        QCOMPARE(w.cell(1, kColReading)->text(), on ? QStringLiteral("がっこう") : QString());
        if (on) QCOMPARE(backOf(w.cell(1, kColReading)), qColorFromBgrName(kColorProposed));
    }

    // Typed in the usual order, the kanji word without the input method: the reading waits
    // for the text after it and is read from the whole row.
    void readingFollowsTheRowAsItIsTyped_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("kanji");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("reading");
        QTest::newRow("行く") << QStringLiteral("がっこうへ") << QStringLiteral("行")
                              << QStringLiteral("く。") << QStringLiteral("い");
        QTest::newRow("生まれた") << QStringLiteral("あしたは") << QStringLiteral("生")
                                  << QStringLiteral("まれた日です。") << QStringLiteral("う");
        QTest::newRow("読む") << QStringLiteral("本を") << QStringLiteral("読") << QStringLiteral("む。")
                              << QStringLiteral("よ");
    }
    void readingFollowsTheRowAsItIsTyped() {
        QFETCH(QString, before);
        QFETCH(QString, kanji);
        QFETCH(QString, after);
        QFETCH(QString, reading);
        if (!ReadingProposer::shared().isAvailable())
            QSKIP("MeCab with a UTF-8 IPA dictionary is not installed");
        EditingWindow w;
        QVERIFY(w.startWorkbook());
        QVERIFY(w.chooseMenu(QStringLiteral("yauto")));
        w.click(w.cell(1, kColBefore));
        w.type(before);
        w.click(w.cell(1, kColKanji));
        w.type(kanji);
        QCOMPARE(w.cell(1, kColReading)->text(), QString());  // the okurigana may follow
        w.click(w.cell(1, kColAfter));
        w.type(after);
        QCOMPARE(w.cell(1, kColReading)->text(), reading);
        QCOMPARE(backOf(w.cell(1, kColReading)), qColorFromBgrName(kColorProposed));
    }

private:
    static QString qColorFromBgrName(int v) {
        return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF).name();
    }
};

QTEST_MAIN(AutoReadingWidgetTest)
#include "auto_reading_widget_test.moc"
