// The lookup panel and memory list views driven with real clicks and key presses,
// offscreen: a grade button fills the cells, a cell click copies into the grid, the search
// box finds by reading, a list click restores and the clear button asks first.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "../core/main_panels_fixture.h"
#include "accessible_text.h"
#include "platform/windows/lookup_panel_view.h"
#include "platform/windows/memory_list_view.h"

class LookupMemoryViewsTest : public QObject {
    Q_OBJECT

private:
    struct Setup {
        ProgramFolder folder;
        FakeMainWindow mw;
        LookupPanel panel{mw};
        MemoryList memory{mw};
        LookupPanelView lookupView{panel};
        MemoryListView memoryView{memory};
        int changes = 0;

        Setup() {
            folder.write(QStringLiteral("onkun.txt"),
                         {QStringLiteral("1,学,がく,まな(ぶ),8"), QStringLiteral("1,校,こう,,10"),
                          QStringLiteral("1,山,さん,やま,3"), QStringLiteral("2,家,か・け,いえ・や,10")});
            mw.fake.programDir = folder.path();
            panel.show();
            lookupView.refresh();
            lookupView.show();
            // The main window's door, as the main window's view gives it: the event, then every
            // view repaints.
            const EventDoor door = [this](const std::function<void()>& event) {
                event();
                lookupView.refresh();
                memoryView.refresh();
                ++changes;
            };
            lookupView.door = door;
            memoryView.door = door;
        }
    };

    // A check box takes a click on its indicator.
    static void tick(QCheckBox* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }

    static void type(QWidget* w, const QString& text) {
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

private slots:
    void gradeButtonAndCellClick() {
        Setup s;
        QPushButton* grade1 = s.lookupView.gradeButton(1);
        QVERIFY(grade1);
        QCOMPARE(grade1->text(), QStringLiteral("1年"));
        QCOMPARE(grade1->toolTip(), QStringLiteral("1年生で習う漢字を表示"));
        QVERIFY(grade1->styleSheet().contains(QStringLiteral("#ff8080")));
        QTest::mouseClick(grade1, Qt::LeftButton);
        QCOMPARE(s.changes, 1);

        QLabel* cell0 = s.lookupView.cell(0);
        QVERIFY(cell0);
        QCOMPARE(cell0->text(), QStringLiteral("学"));
        QCOMPARE(spokenName(cell0), QStringLiteral("学"));
        QCOMPARE(cell0->toolTip(), QStringLiteral("音：がく\n訓：まな(ぶ)"));  // every reading
        QCOMPARE(cell0->font().pointSize(), 22);
        QVERIFY(cell0->styleSheet().contains(QStringLiteral("#ff8080")));
        QCOMPARE(s.lookupView.cell(3)->text(), QString());
        QVERIFY(s.lookupView.cell(3)->styleSheet().contains(QStringLiteral("#ffffff")));
        // A list of one page: nowhere to go, and nothing to go back to.
        QCOMPARE(s.lookupView.pageButton()->text(), QStringLiteral("次へ"));
        QVERIFY(!s.lookupView.pageButton()->isEnabled());

        QTest::mouseClick(s.lookupView.cell(1), Qt::LeftButton);
        QCOMPARE(s.mw.cell(1, SlotField::Kanji), QStringLiteral("校"));
        QCOMPARE(s.mw.cell(1, SlotField::Reading), QStringLiteral("こう"));
        QVERIFY(s.lookupView.cell(1)->styleSheet().contains(QStringLiteral("2px solid black")));
        QVERIFY(!s.lookupView.cell(0)->styleSheet().contains(QStringLiteral("2px solid black")));
        QCOMPARE(s.lookupView.pageButton()->text(), QStringLiteral("次へ"));

        // Compound mode: the next click joins the same row.
        tick(s.lookupView.compoundBox());
        QVERIFY(s.panel.check1);
        QTest::mouseClick(s.lookupView.cell(0), Qt::LeftButton);
        QCOMPARE(s.mw.cell(1, SlotField::Kanji), QStringLiteral("校学"));
        QCOMPARE(s.mw.cell(1, SlotField::Reading), QStringLiteral("こうがく"));

        // The clear button takes the row back.
        QTest::mouseClick(s.lookupView.clearButton(), Qt::LeftButton);
        QCOMPARE(s.mw.cell(1, SlotField::Kanji), QString());
        QCOMPARE(s.lookupView.clearButton()->toolTip(), QStringLiteral("消去ボタンです"));

        if (const QByteArray dir = qgetenv("JIRAKUBO_SCREENSHOT_DIR"); !dir.isEmpty())
            s.lookupView.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/lookup-panel.png"));
    }

    void searchByKunReading() {
        Setup s;
        QTest::mouseClick(s.lookupView.kunOption(), Qt::LeftButton);
        QVERIFY(s.panel.option2);
        QVERIFY(!s.lookupView.onOption()->isChecked());
        type(s.lookupView.searchBox(), QStringLiteral("や"));
        QTest::keyClick(s.lookupView.searchBox(), Qt::Key_Return);
        QCOMPARE(s.lookupView.cell(0)->text(), QStringLiteral("山"));
        QCOMPARE(s.lookupView.cell(1)->text(), QStringLiteral("家"));
        QCOMPARE(s.lookupView.cell(2)->text(), QString());
        QCOMPARE(s.lookupView.searchBox()->text(), QStringLiteral("や"));
        QTest::mouseClick(s.lookupView.cell(1), Qt::LeftButton);
        QCOMPARE(s.mw.cell(1, SlotField::Reading), QStringLiteral("いえ"));  // the first kun reading
        QCOMPARE(s.lookupView.cell(1)->toolTip(), QStringLiteral("音：か・け\n訓：いえ・や"));
    }

    void strokeOrderSwitchFollowsTheModel() {
        Setup s;
        const bool installed = s.panel.strokeOrderFaceInstalled;
        tick(s.lookupView.strokeOrderBox());
        QCOMPARE(s.lookupView.strokeOrderBox()->isChecked(), installed);
        QCOMPARE(s.panel.strokeOrder, installed);
        QCOMPARE(s.mw.fake.messages.size(), installed ? size_t(0) : size_t(1));
    }

    void memoryListRestoresAndClears() {
        Setup s;
        QVERIFY(s.memoryView.isHidden());
        for (int r = 1; r <= 3; ++r)
            s.mw.setRow(r, QStringLiteral("前%1").arg(r), QStringLiteral("字%1").arg(r),
                        QStringLiteral("よみ"), {});
        s.memory.onNumberLabelClick(2);
        s.memory.list1Enabled = true;
        s.memoryView.refresh();
        s.memoryView.show();
        QCOMPARE(s.memoryView.list()->count(), 1);
        QCOMPARE(s.memoryView.list()->item(0)->text(), QStringLiteral("前2字2"));
        QCOMPARE(s.memoryView.list()->toolTip(), QStringLiteral("選択・クリックで復元"));
        QCOMPARE(s.memoryView.messageLabel()->text(),
                 QStringLiteral("【前2字2】をクリップボードに書きこみました"));
        QCOMPARE(s.mw.cell(2, SlotField::Kanji), QString());

        QListWidget* list = s.memoryView.list();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QCOMPARE(s.mw.cell(2, SlotField::Kanji), QStringLiteral("字2"));
        QCOMPARE(s.memoryView.messageLabel()->text(), QString());

        s.mw.fake.answers.push_back(MessageAnswer::Yes);
        QTest::mouseClick(s.memoryView.clearButton(), Qt::LeftButton);
        QCOMPARE(s.mw.fake.messages.back().text, QStringLiteral("全ての記憶を削除しますが？"));
        QCOMPARE(s.memoryView.list()->count(), 0);
        QVERIFY(s.memoryView.isHidden());
        QCOMPARE(s.mw.tools[17].picture, 11);
    }
};

QTEST_MAIN(LookupMemoryViewsTest)
#include "lookup_memory_views_test.moc"
