// Editing in the main window with real clicks and key presses, offscreen: headings, the
// grid cursor, second words, the character-limit alarm and readings from input method events.
#include <QClipboard>

#include "editing_window.h"

class EditingWidgetsTest : public QObject {
    Q_OBJECT

private slots:
    void newWorkbookWaitsForItsHeading() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QVERIFY(!w.entry()->isEnabled());
        QCOMPARE(w.widget(QStringLiteral("Label9"))->text(), QStringLiteral("頁の見出し"));
        QVERIFY(w.chooseMenu(QStringLiteral("np")));
        QCOMPARE(backOf(w.view.headingBox()->lineEdit()), QStringLiteral("#ffff00"));
        QVERIFY(w.view.registerButton()->isVisible());
        QCOMPARE(w.view.registerButton()->text(), QStringLiteral("見出し登録"));
        QVERIFY(!w.entry()->isEnabled());
        QCOMPARE(w.view.numberLabel(1)->text(), QStringLiteral("1"));
        QCOMPARE(w.view.numberLabel(10)->text(), QStringLiteral("10"));
        QCOMPARE(QApplication::focusWidget(), w.view.headingBox());
        QCOMPARE(w.view.headingBox()->count(), 0);
    }

    void registerButtonWithEmptyHeadingRegistersRenshuu() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QVERIFY(w.chooseMenu(QStringLiteral("np")));
        w.click(w.view.registerButton());
        QCOMPARE(w.widget(QStringLiteral("Label9"))->text(), QStringLiteral("れんしゅう"));
        QCOMPARE(w.view.headingBox()->count(), 1);
        QCOMPARE(w.view.headingBox()->itemText(0), QStringLiteral("れんしゅう"));
        QCOMPARE(w.view.registerButton()->text(), QStringLiteral("登録済み"));
        QVERIFY(!w.view.registerButton()->isEnabled());
        QCOMPARE(backOf(w.view.headingBox()->lineEdit()), QStringLiteral("#ffffff"));
        QVERIFY(w.entry()->isEnabled());
        QCOMPARE(QApplication::focusWidget(), w.entry());
        QCOMPARE(w.view.statusPanel(4)->text(), QStringLiteral(" 1頁"));
        QCOMPARE(w.widget(QStringLiteral("Label11"))->text(), QStringLiteral("　編集中（文字制限１５字）"));
        QCOMPARE(w.workbook.page(0)[kHeadingField], QStringLiteral("れんしゅう"));
    }

    // Keys typed into the heading box reach the combo box, which holds the focus.
    void enterInHeadingBoxRegistersTypedHeading_data() {
        QTest::addColumn<bool>("toLineEdit");
        QTest::newRow("combo box (the focus widget)") << false;
        QTest::newRow("its line edit") << true;
    }
    void enterInHeadingBoxRegistersTypedHeading() {
        QFETCH(bool, toLineEdit);
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        w.clickToolbar(2);  // 新規作成
        QCOMPARE(backOf(w.view.headingBox()->lineEdit()), QStringLiteral("#ffff00"));
        QWidget* target =
            toLineEdit ? static_cast<QWidget*>(w.view.headingBox()->lineEdit()) : w.view.headingBox();
        EditingWindow::type(target, QStringLiteral("たし算"));
        QTest::keyClick(target, Qt::Key_Return);
        QCOMPARE(w.widget(QStringLiteral("Label9"))->text(), QStringLiteral("たし算"));
        QCOMPARE(w.view.headingBox()->count(), 1);
        QCOMPARE(w.view.headingBox()->itemText(0), QStringLiteral("たし算"));
        QVERIFY(!w.view.registerButton()->isVisible());
        QCOMPARE(backOf(w.view.headingBox()->lineEdit()), QStringLiteral("#ffffff"));
        QVERIFY(w.entry()->isEnabled());
        QCOMPARE(QApplication::focusWidget(), w.entry());
        QCOMPARE(w.view.statusPanel(4)->text(), QStringLiteral(" 1頁"));
        QCOMPARE(w.workbook.page(0)[kHeadingField], QStringLiteral("たし算"));
    }

    void clickingCellsAndTyping() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QVERIFY(w.startWorkbook());
        w.click(w.cell(3, kColBefore));
        QCOMPARE(w.workNumber(), QStringLiteral("32"));
        QVERIFY(hasBorder(w.cell(3, kColBefore)));
        QVERIFY(!hasBorder(w.cell(1, kColBefore)));
        QCOMPARE(backOf(w.entry()), QStringLiteral("#80ffff"));
        QCOMPARE(backOf(w.widget(QStringLiteral("Label6"))), QStringLiteral("#80ffff"));
        w.type(QStringLiteral("きょうは"));
        QCOMPARE(w.cell(3, kColBefore)->text(), QStringLiteral("きょうは"));
        QCOMPARE(w.model.grid.at(3).cell(kColBefore).text, QStringLiteral("きょうは"));
        QCOMPARE(w.widget(QStringLiteral("Label13"))->text(), QStringLiteral("4"));
        QCOMPARE(w.view.numberLabel(3)->text(), QStringLiteral("3"));
        QCOMPARE(backOf(w.view.numberLabel(3)), QStringLiteral("#00ff00"));  // a used row
        QCOMPARE(backOf(w.view.numberLabel(4)), QStringLiteral("#ffc0c0"));  // an empty row
        // The cell writes through: the page holds every key at once.
        QCOMPARE(w.workbook.page(0)[slotFieldIndex(3, SlotField::Before)], QStringLiteral("きょうは"));

        w.click(w.cell(3, kColKanji));
        QCOMPARE(w.workNumber(), QStringLiteral("33"));
        QCOMPARE(w.entry()->text(), QString());
        QCOMPARE(backOf(w.entry()), QStringLiteral("#ffff80"));
        w.type(QStringLiteral("雨"));  // typed, not converted: no reading
        QCOMPARE(w.cell(3, kColKanji)->text(), QStringLiteral("雨"));
        QCOMPARE(w.cell(3, kColReading)->text(), QString());

        w.click(w.cell(3, kColBefore));  // back: the box shows the cell's text again
        QCOMPARE(w.entry()->text(), QStringLiteral("きょうは"));
        QCOMPARE(w.widget(QStringLiteral("Label13"))->text(), QStringLiteral("4"));
        QVERIFY(!w.widget(QStringLiteral("Label16"))->isVisible());
        w.type(QStringLiteral("いい天気"));
        QVERIFY(w.widget(QStringLiteral("Label16"))->isVisible());   // 5 or more
        QVERIFY(!w.widget(QStringLiteral("Label15"))->isVisible());  // under 10
    }

    void enterWalksTheGrid_data() {
        QTest::addColumn<QString>("passItem");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("パスする") << QStringLiteral("yp")
                                  << QStringList{"12", "13", "15", "22", "23", "25", "32"};
        QTest::newRow("パスしない") << QStringLiteral("nop")
                                    << QStringList{"12", "13", "14", "15", "22", "23", "24"};
    }
    void enterWalksTheGrid() {
        QFETCH(QString, passItem);
        QFETCH(QStringList, numbers);
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QVERIFY(w.startWorkbook());
        QVERIFY(w.chooseMenu(passItem));
        QVERIFY(w.view.menuAction(passItem)->isChecked());
        QCOMPARE(w.workNumber(), numbers[0]);
        w.type(QStringLiteral("あめが"));
        for (int i = 1; i < numbers.size(); ++i) {
            w.key(Qt::Key_Return);
            QCOMPARE(w.workNumber(), numbers[i]);
        }
        // Enter adds no character, and stored the text typed before it.
        QCOMPARE(w.cell(1, kColBefore)->text(), QStringLiteral("あめが"));
        QCOMPARE(w.workbook.page(0)[slotFieldIndex(1, SlotField::Before)], QStringLiteral("あめが"));
        QCOMPARE(w.entry()->text(), QString());
        QVERIFY(w.platform.messages.empty());
    }

    void enterAtTheEndOfThePageAsksForANewPage() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QVERIFY(w.startWorkbook());
        w.click(w.cell(10, kColAfter));
        QCOMPARE(w.workNumber(), QStringLiteral("105"));
        w.platform.answers = {MessageAnswer::No};
        w.key(Qt::Key_Return);
        QCOMPARE(w.platform.messageTexts(), QStringList{QStringLiteral("新しいページに移動しますか")});
        QCOMPARE(w.platform.messages[0].title, QStringLiteral("確認"));
        QCOMPARE(w.workNumber(), QStringLiteral("105"));
        QCOMPARE(w.view.numberLabel(1)->text(), QStringLiteral("1"));

        w.platform.answers = {MessageAnswer::Yes};
        w.key(Qt::Key_Return);
        QCOMPARE(w.platform.messages.size(), size_t(2));
        QCOMPARE(w.view.numberLabel(1)->text(), QStringLiteral("11"));
        QCOMPARE(w.view.numberLabel(10)->text(), QStringLiteral("20"));
        QCOMPARE(backOf(w.view.headingBox()->lineEdit()), QStringLiteral("#ffff00"));
        QVERIFY(!w.entry()->isEnabled());
        QCOMPARE(w.widget(QStringLiteral("Label9"))->text(), QStringLiteral("頁の見出し"));
        QTest::keyClick(w.view.headingBox(), Qt::Key_Return);
        QCOMPARE(w.widget(QStringLiteral("Label9"))->text(), QStringLiteral("れんしゅう"));
        QCOMPARE(w.view.headingBox()->count(), 2);
        QCOMPARE(w.view.statusPanel(4)->text(), QStringLiteral(" 2頁"));
        QVERIFY(w.entry()->isEnabled());
        QCOMPARE(w.workNumber(), QStringLiteral("112"));
    }

    void downOnlyEnterWrapsToRowOne() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QVERIFY(w.startWorkbook());
        QVERIFY(w.chooseMenu(QStringLiteral("dd")));
        QVERIFY(!w.view.arrowImage(2)->isVisible());
        QVERIFY(w.view.arrowImage(3)->isVisible());
        w.click(w.cell(9, kColKanji));
        w.key(Qt::Key_Return);
        QCOMPARE(w.workNumber(), QStringLiteral("103"));
        w.key(Qt::Key_Return);
        QCOMPARE(w.workNumber(), QStringLiteral("13"));
        QVERIFY(w.platform.messages.empty());
    }

    void arrowKeysMoveOnlyInHardType() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QVERIFY(w.startWorkbook());
        w.click(w.cell(2, kColKanji));
        QCOMPARE(w.workNumber(), QStringLiteral("23"));
        // Soft type (the default): the keys do nothing, the pad moves the cursor.
        QVERIFY(w.view.arrowImage(1)->isVisible());
        w.key(Qt::Key_Down);
        w.key(Qt::Key_Right);
        QCOMPARE(w.workNumber(), QStringLiteral("23"));
        w.click(w.view.arrowImage(3));
        QCOMPARE(w.workNumber(), QStringLiteral("33"));
        w.click(w.view.arrowImage(2));
        QCOMPARE(w.workNumber(), QStringLiteral("23"));

        QVERIFY(w.chooseMenu(QStringLiteral("hck")));
        for (int i = 1; i <= 5; ++i) QVERIFY(!w.view.arrowImage(i)->isVisible());
        const std::pair<Qt::Key, const char*> moves[] = {
            {Qt::Key_Up, "13"},    {Qt::Key_Up, "13"},    {Qt::Key_Down, "23"}, {Qt::Key_Right, "24"},
            {Qt::Key_Right, "25"}, {Qt::Key_Right, "25"}, {Qt::Key_Left, "24"}, {Qt::Key_Left, "23"},
            {Qt::Key_Left, "22"},  {Qt::Key_Left, "22"},
        };
        for (const auto& [k, expected] : moves) {
            w.key(k);
            QCOMPARE(w.workNumber(), QString::fromLatin1(expected));
        }
        QVERIFY(hasBorder(w.cell(2, kColBefore)));
        for (int i = 0; i < 9; ++i) w.key(Qt::Key_Down);
        QCOMPARE(w.workNumber(), QStringLiteral("102"));
    }

    void secondWordToggle() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QVERIFY(w.startWorkbook());
        QCheckBox* toggle = w.view.check3(3);
        QVERIFY(!w.cell(3, kColKanji2)->isVisible());
        QCOMPARE(toggle->toolTip(), QStringLiteral("５マス表示ボタン"));
        w.click(toggle);
        QVERIFY(toggle->isChecked());
        for (int c : {kColKanji2, kColReading2, kColAfter2}) QVERIFY(w.cell(3, c)->isVisible());
        QVERIFY(!w.cell(4, kColKanji2)->isVisible());
        QCOMPARE(toggle->toolTip(), QStringLiteral("３マス表示ボタン"));
        QCOMPARE(w.workNumber(), QStringLiteral("36"));
        QCOMPARE(QApplication::focusWidget(), w.entry());
        QCOMPARE(backOf(w.entry()), QStringLiteral("#ffff00"));
        w.type(QStringLiteral("学校"));
        QCOMPARE(w.cell(3, kColKanji2)->text(), QStringLiteral("学校"));
        w.key(Qt::Key_Return);  // パスする: kanji2 to after2
        QCOMPARE(w.workNumber(), QStringLiteral("38"));
        w.type(QStringLiteral("へ"));
        w.key(Qt::Key_Return);  // after2 is the last cell of the row
        QCOMPARE(w.workNumber(), QStringLiteral("42"));
        QCOMPARE(w.workbook.page(0)[slotFieldIndex(3, SlotField::Kanji2)], QStringLiteral("学校"));
        QCOMPARE(w.workbook.page(0)[slotFieldIndex(3, SlotField::After2)], QStringLiteral("へ"));

        w.click(toggle);  // off: hidden, the texts stay and still count
        QVERIFY(!toggle->isChecked());
        for (int c : {kColKanji2, kColReading2, kColAfter2}) QVERIFY(!w.cell(3, c)->isVisible());
        QCOMPARE(w.workNumber(), QStringLiteral("32"));
        QCOMPARE(w.model.grid.at(3).cell(kColKanji2).text, QStringLiteral("学校"));
        QCOMPARE(w.model.grid.rowLength(3), 3);
        QCOMPARE(backOf(w.view.numberLabel(3)), QStringLiteral("#00ff00"));
    }

    void rowOverTheLimitTurnsRedAndBeeps() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QVERIFY(w.startWorkbook());
        w.click(w.cell(2, kColBefore));
        w.type(QStringLiteral("あいうえおかきくけ"));  // 9
        w.click(w.cell(2, kColKanji));
        w.type(QStringLiteral("漢字"));  // 11
        w.click(w.cell(2, kColAfter));
        w.type(QStringLiteral("をかきま"));  // 15: the limit
        QCOMPARE(w.platform.beeps, 0);
        QCOMPARE(backOf(w.cell(2, kColBefore)), QStringLiteral("#80ffff"));
        w.type(QStringLiteral("す"));  // 16
        QVERIFY(w.platform.beeps > 0);
        const char* const red = "#ff0000";
        for (int c = kColBefore; c <= kColAfter2; ++c)
            QCOMPARE(backOf(w.cell(2, c)), QString::fromLatin1(red));
        QCOMPARE(backOf(w.cell(1, kColBefore)), QStringLiteral("#80ffff"));
        QCOMPARE(backOf(w.cell(1, kColKanji)), QStringLiteral("#ffff80"));
        QCOMPARE(backOf(w.cell(1, kColReading)), QStringLiteral("#ffe0c0"));
        QCOMPARE(backOf(w.cell(1, kColAfter)), QStringLiteral("#c0c0ff"));
        QCOMPARE(backOf(w.cell(1, kColKanji2)), QStringLiteral("#ffff00"));
        QCOMPARE(backOf(w.cell(1, kColReading2)), QStringLiteral("#ffc080"));
        QCOMPARE(backOf(w.cell(1, kColAfter2)), QStringLiteral("#8080ff"));
        QCOMPARE(w.cell(2, kColAfter)->text(), QStringLiteral("をかきます"));  // the text stays

        // "狭い" raises the limit to 22: the row is fine again.
        const int beeps = w.platform.beeps;
        QVERIFY(w.chooseMenu(QStringLiteral("psp")));
        QCOMPARE(w.widget(QStringLiteral("Label11"))->text(), QStringLiteral("　編集中（文字制限２２字）"));
        QCOMPARE(backOf(w.cell(2, kColBefore)), QStringLiteral("#80ffff"));
        QCOMPARE(w.platform.beeps, beeps);
        // Back to 15 with the limit items: one character less is within it.
        QVERIFY(w.chooseMenu(QStringLiteral("lon14")));
        QCOMPARE(backOf(w.cell(2, kColBefore)), QString::fromLatin1(red));
        w.key(Qt::Key_Backspace);
        QCOMPARE(w.cell(2, kColAfter)->text(), QStringLiteral("をかきま"));
        QCOMPARE(backOf(w.cell(2, kColBefore)), QStringLiteral("#80ffff"));
        QCOMPARE(backOf(w.view.numberLabel(2)), QStringLiteral("#00ff00"));

        // Readings do not count; a hidden second word does.
        w.click(w.cell(2, kColReading));
        w.type(QStringLiteral("かんじかんじかんじ"));
        QCOMPARE(backOf(w.cell(2, kColBefore)), QStringLiteral("#80ffff"));
        w.click(w.view.check3(2));
        w.type(QStringLiteral("学"));
        w.click(w.view.check3(2));
        QVERIFY(!w.cell(2, kColKanji2)->isVisible());
        QCOMPARE(backOf(w.cell(2, kColBefore)), QString::fromLatin1(red));
    }

    // The events ibus and fcitx send for "kannji", space, space, Return.
    void pastedTextHasNoReading() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QVERIFY(w.startWorkbook());
        w.click(w.cell(1, kColKanji));
        w.preedit(QStringLiteral("かんじ"));
        w.preedit(QStringLiteral("漢字"), true);
        w.commit(QStringLiteral("漢字"));
        QCOMPARE(w.cell(1, kColReading)->text(), QStringLiteral("かんじ"));
        // Pasted from the context menu, without a key press: the old reading must not come back.
        QGuiApplication::clipboard()->setText(QStringLiteral("山\n川"));
        w.entry()->selectAll();
        QMetaObject::invokeMethod(w.entry(), "paste");
        QCOMPARE(w.cell(1, kColKanji)->text().contains(QStringLiteral("山")), true);
        QVERIFY(!w.cell(1, kColKanji)->text().contains(u'\n'));
        QCOMPARE(w.cell(1, kColReading)->text(), QString());
    }

    void inputMethodConversionFillsTheReading() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QVERIFY(w.startWorkbook());
        w.click(w.cell(1, kColKanji));
        for (const char* p : {"ｋ", "か", "かｎ", "かん", "かんｊ", "かんじ"})
            w.preedit(QString::fromUtf8(p));
        w.preedit(QStringLiteral("感じ"), true);
        w.preedit(QStringLiteral("漢字"), true);
        QCOMPARE(w.cell(1, kColKanji)->text(), QString());  // nothing committed yet
        w.commit(QStringLiteral("漢字"));
        QCOMPARE(w.entry()->text(), QStringLiteral("漢字"));
        QCOMPARE(w.cell(1, kColKanji)->text(), QStringLiteral("漢字"));
        QCOMPARE(w.cell(1, kColReading)->text(), QStringLiteral("かんじ"));
        QCOMPARE(backOf(w.cell(1, kColReading)), QStringLiteral("#ff8080"));
        QCOMPARE(w.workbook.page(0)[slotFieldIndex(1, SlotField::Reading)],
                 QStringLiteral("かんじ"));  // at once
        w.view.grab().save(QStringLiteral("/tmp/jirakubo-editing-reading.png"));
        w.key(Qt::Key_Return);
        QCOMPARE(w.workNumber(), QStringLiteral("15"));
        QCOMPARE(w.workbook.page(0)[slotFieldIndex(1, SlotField::Kanji)], QStringLiteral("漢字"));
        QCOMPARE(w.workbook.page(0)[slotFieldIndex(1, SlotField::Reading)], QStringLiteral("かんじ"));
        QCOMPARE(backOf(w.cell(1, kColReading)), QStringLiteral("#ffe0c0"));

        // Deleting one character asks again (same last result); emptying the box empties it.
        w.click(w.cell(1, kColKanji));
        QCOMPARE(w.cell(1, kColReading)->text(), QStringLiteral("かんじ"));
        w.key(Qt::Key_End);
        w.key(Qt::Key_Backspace);
        QCOMPARE(w.cell(1, kColKanji)->text(), QStringLiteral("漢"));
        QCOMPARE(w.cell(1, kColReading)->text(), QStringLiteral("かんじ"));
        w.key(Qt::Key_Backspace);
        QCOMPARE(w.cell(1, kColKanji)->text(), QString());
        QCOMPARE(w.cell(1, kColReading)->text(), QString());
    }

    void halfWidthKatakanaReadingInKanji2() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QVERIFY(w.startWorkbook());
        w.click(w.view.check3(4));
        QCOMPARE(w.workNumber(), QStringLiteral("46"));
        w.preedit(QStringLiteral("ｶﾞｯｺｳ"));
        w.preedit(QStringLiteral("学校"), true);
        w.commit(QStringLiteral("学校"));
        QCOMPARE(w.cell(4, kColKanji2)->text(), QStringLiteral("学校"));
        QCOMPARE(w.cell(4, kColReading2)->text(), QStringLiteral("がっこう"));
        QCOMPARE(w.cell(4, kColReading)->text(), QString());
        QCOMPARE(backOf(w.cell(4, kColReading2)), QStringLiteral("#ff8080"));
    }

    // Typing the next word right after a conversion: the commit of the first word comes with
    // the preedit of the next one.
    void commitWithTheNextPreedit() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QVERIFY(w.startWorkbook());
        w.click(w.cell(1, kColKanji));
        w.preedit(QStringLiteral("がっこう"));
        w.preedit(QStringLiteral("学校"), true);
        w.preedit(QStringLiteral("ｔ"), false, QStringLiteral("学校"));
        QCOMPARE(w.cell(1, kColKanji)->text(), QStringLiteral("学校"));
        QCOMPARE(w.cell(1, kColReading)->text(), QStringLiteral("がっこう"));
        w.preedit(QStringLiteral("て"));
        w.preedit(QStringLiteral("手"), true);
        w.commit(QStringLiteral("手"));
        QCOMPARE(w.cell(1, kColKanji)->text(), QStringLiteral("学校手"));
        QCOMPARE(w.cell(1, kColReading)->text(), QStringLiteral("て"));
    }

    void readingsOnlyForKanjiCells() {
        EditingWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QVERIFY(w.startWorkbook());
        w.click(w.cell(1, kColKanji));
        w.preedit(QStringLiteral("やま"));
        w.preedit(QStringLiteral("山"), true);
        w.commit(QStringLiteral("山"));
        QCOMPARE(w.cell(1, kColReading)->text(), QStringLiteral("やま"));
        // before and after: a converted word lands there without touching the reading.
        for (int c : {kColBefore, kColAfter}) {
            w.click(w.cell(1, c));
            w.preedit(QStringLiteral("かわ"));
            w.preedit(QStringLiteral("川"), true);
            w.commit(QStringLiteral("川"));
            QCOMPARE(w.cell(1, c)->text(), QStringLiteral("川"));
            QCOMPARE(w.cell(1, kColReading)->text(), QStringLiteral("やま"));
        }
        // Selecting the kanji cell again sets the box to the unchanged text: nothing captured.
        w.click(w.cell(1, kColKanji));
        QCOMPARE(w.cell(1, kColReading)->text(), QStringLiteral("やま"));
        // A typed character after a conversion carries no reading.
        w.key(Qt::Key_End);
        w.type(QStringLiteral("々"));
        QCOMPARE(w.cell(1, kColKanji)->text(), QStringLiteral("山々"));
        QCOMPARE(w.cell(1, kColReading)->text(), QString());
    }
};

QTEST_MAIN(EditingWidgetsTest)
#include "editing_widgets_test.moc"
