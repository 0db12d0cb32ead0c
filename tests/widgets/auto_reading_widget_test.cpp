// ふりがな自動 in the real window: a kanji word pasted into the entry box gets a proposed
// reading when the item is checked, and none when it is not.
#include <QClipboard>
#include <QtTest>

#include "data/reading_proposer.h"
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

private:
    static QString qColorFromBgrName(int v) {
        return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF).name();
    }
};

QTEST_MAIN(AutoReadingWidgetTest)
#include "auto_reading_widget_test.moc"
