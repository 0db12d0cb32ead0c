// The manuscript paper, ruled paper, text flow and kana position views driven with real
// clicks, offscreen, over their models and a fake main window.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include "../core/fake_paper_host.h"
#include "accessible_text.h"
#include "core/printing/recording_surface.h"
#include "platform/windows/kana_position_view.h"
#include "platform/windows/manuscript_view.h"
#include "platform/windows/ruled_view.h"
#include "platform/windows/text_flow_view.h"

namespace {

using Kind = RecordingSurface::Kind;

// The control of that design name ("Command1(3)" is the object Command1_3).
template <typename T = QWidget>
T* control(QWidget* window, const QString& designName) {
    QString object = designName;
    object.replace(u'(', u'_').remove(u')');
    return window->findChild<T*>(object);
}

// A click where the control takes it: an option button only on its mark and caption.
void click(QWidget* w) {
    QVERIFY(w);
    const bool option = qobject_cast<QRadioButton*>(w) != nullptr;
    QTest::mouseClick(w, Qt::LeftButton, {}, option ? QPoint(6, w->height() / 2) : w->rect().center());
}

// Saves a picture of the window when JIRAKUBO_SHOTS names a folder (for looking at them).
void shoot(QWidget* w, const QString& name) {
    const QString dir = qEnvironmentVariable("JIRAKUBO_SHOTS");
    if (!dir.isEmpty()) w->grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

struct Setup {
    QTemporaryDir dir;
    FakePaperHost host;
    RecordingSurface printed;
    ManuscriptWindow manuscript{host, host};
    RuledWindow ruled{host};
    TextFlowWindow textFlow{host, host};
    KanaPositionWindow kana{host, host};

    Setup() {
        host.fake.cwd = dir.path();
        host.fake.makeSurface = [this] { return std::make_unique<RecordingSurface>(&printed); };
        host.closers[WindowId::ManuscriptPaper] = [this] { manuscript.close(); };
        host.closers[WindowId::RuledPaper] = [this] { ruled.close(); };
    }
    int count(Kind k) const { return static_cast<int>(printed.ofKind(k).size()); }
};

}  // namespace

class PaperWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void manuscriptView() {
        Setup s;
        s.host.grid[3][3] = QStringLiteral("話す");
        s.host.grid[3][4] = QStringLiteral("はなす");
        s.manuscript.open();
        ManuscriptView view(s.manuscript);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.windowTitle(), QStringLiteral("原稿用紙-クリックで印刷"));
        QCOMPARE(view.accessibleName(), view.windowTitle());
        for (const char* name : {"Command1(0)", "Command1(3)", "Command2", "Command3", "Frame1", "Frame4",
                                 "Option1", "Option9", "Label2", "Label3", "Text1"})
            QVERIFY2(control(&view, QString::fromLatin1(name)), name);
        QCOMPARE(control<QPushButton>(&view, "Command1(0)")->text(), QStringLiteral("２０×２０"));
        QCOMPARE(control<QPushButton>(&view, "Command2")->text(),
                 QStringLiteral("・・話す・・・・・・・・の練習プリント"));
        auto* advice = control<QLabel>(&view, "Label3");
        QCOMPARE(advice->text(), QStringLiteral("＠マーク付フォントをお勧めします"));
        QCOMPARE(spokenName(advice), advice->text());
        QVERIFY(control<QRadioButton>(&view, "Option8")->isChecked());
        QVERIFY(!control(&view, "Command3")->isVisible());
        shoot(&view, QStringLiteral("manuscript"));

        // B4 and the cross, then 16 x 16.
        click(control(&view, "Option9"));
        click(control(&view, "Option2"));
        QVERIFY(s.manuscript.option[9].checked);
        QVERIFY(s.manuscript.option[2].checked);
        // While the sheet prints, the button the teacher pressed shows red: the main window
        // shows the windows at once when the model asks.
        s.host.shown = [&] { view.refresh(); };
        QString styleWhilePrinting;
        s.host.fake.makeSurface = [&] {
            styleWhilePrinting = control(&view, "Command1(3)")->styleSheet();
            return std::make_unique<RecordingSurface>(&s.printed);
        };
        QTest::mouseClick(control(&view, "Command1(3)"), Qt::LeftButton);
        QVERIFY2(styleWhilePrinting.contains(QStringLiteral("#ff0000")), qPrintable(styleWhilePrinting));
        QCOMPARE(s.host.fake.printerDialogs, 1);
        QCOMPARE(s.printed.ofKind(Kind::Paper)[0].value, 12);
        int dotted = 0;
        for (const auto& l : s.printed.ofKind(Kind::Line)) dotted += l.style == 2;
        QCOMPARE(dotted, 2 * 16 * 16);
        QCOMPARE(s.count(Kind::EndDocument), 1);
        QVERIFY(control(&view, "Command1(3)")->styleSheet().contains(QStringLiteral("#80ffff")));

        // Another colour, chosen in the colour dialog, for the practice sheet.
        click(control(&view, "Option3"));
        QVERIFY(control(&view, "Command3")->isVisible());
        s.host.fake.colors.push_back(0x0000FF);
        click(control(&view, "Command3"));
        QVERIFY(control(&view, "Label2")->styleSheet().contains(QStringLiteral("#ff0000")));
        s.printed.clear();
        click(control(&view, "Command2"));
        const auto models = s.printed.textsOfSize(54);  // 45 pt on B4
        QCOMPARE(models.size(), size_t(2));
        QCOMPARE(models[0].text, QStringLiteral("話"));
        QCOMPARE(models[0].color, 0x0000FF);
        QVERIFY(control(&view, "Command2")->styleSheet().contains(QStringLiteral("#8080ff")));

        // The title typed into Text1 is kept in FN.txt when the window closes.
        auto* title = control<QLineEdit>(&view, "Text1");
        title->setFocus();
        QTest::keyClicks(title, "Sakubun");
        QCOMPARE(s.manuscript.text1.text, QStringLiteral("Sakubun"));
        s.ruled.open();
        view.close();
        QVERIFY(!s.manuscript.isOpen());
        QVERIFY(!s.ruled.isOpen());
        QFile fn(QDir(s.dir.path()).filePath(QStringLiteral("FN.txt")));
        QVERIFY(fn.open(QIODevice::ReadOnly));
        QCOMPARE(fn.readAll(),
                 QByteArray("\r\n 0 \r\n 0 \r\n 1 \r\n 1 \r\n 0 \r\n 1 \r\nSakubun\r\n 255 \r\n"));
    }

    void ruledView() {
        Setup s;
        s.ruled.open();
        RuledView view(s.ruled);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.windowTitle(), QStringLiteral("罫線用紙印刷"));
        QCOMPARE(view.accessibleName(), view.windowTitle());
        auto* combo = control<QComboBox>(&view, "Combo1");
        QVERIFY(combo);
        QCOMPARE(combo->currentText(), QStringLiteral("20"));
        QCOMPARE(combo->count(), 4);
        QVERIFY(control<QRadioButton>(&view, "Option2")->isChecked());
        QCOMPARE(control<QLineEdit>(&view, "Text1")->text(), QStringLiteral("ナナホシ舎"));
        shoot(&view, QStringLiteral("ruled"));

        // A row count that is no number: refused with a message, nothing printed.
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), "abc");
        QCOMPARE(s.ruled.combo1.text, QStringLiteral("abc"));
        click(control(&view, "Command1"));
        QCOMPARE(s.host.fake.messages.size(), size_t(1));
        QVERIFY(s.host.fake.messages[0].text.contains(QStringLiteral("60")));
        QVERIFY(s.printed.ops().empty());

        // 10 from the list, centre lines: one page, no dialog.
        combo->setCurrentIndex(combo->findText(QStringLiteral("10")));
        QCOMPARE(s.ruled.combo1.text, QStringLiteral("10"));
        click(control(&view, "Option1"));
        click(control(&view, "Command1"));
        QCOMPARE(s.host.fake.printerDialogs, 0);
        QCOMPARE(s.host.fake.defaultPrinterRequests, 1);
        QCOMPARE(s.count(Kind::Line), 12 + 10);
        QCOMPARE(s.count(Kind::EndDocument), 1);
    }

    void textFlowView() {
        Setup s;
        for (int r = 1; r <= 10; ++r) s.host.grid[static_cast<size_t>(r)][3] = QStringLiteral("字");
        s.textFlow.open();
        QPointer<TextFlowView> view = new TextFlowView(s.textFlow);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.data()));
        QCOMPARE(view->windowTitle(), QStringLiteral("文章流し込み"));
        QCOMPARE(view->accessibleName(), view->windowTitle());
        auto* text = control<QPlainTextEdit>(view, "Text1");
        QVERIFY(text);
        QVERIFY(text->toPlainText().startsWith(QStringLiteral("使い方")));
        auto* marker = control<QLabel>(view, "Label1");
        QCOMPARE(marker->text(), QStringLiteral("▼"));
        shoot(view, QStringLiteral("text-flow"));

        // "テキスト消去", then a line of eleven characters: the marker turns red.
        click(control(view, "Command3"));
        QCOMPARE(text->toPlainText(), QString());
        QVERIFY(marker->styleSheet().contains(QStringLiteral("#0000ff")));
        text->setFocus();
        for (QChar c : QStringLiteral("あいうえおかきくけこさ"))
            QTest::sendKeyEvent(QTest::Click, text, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(s.textFlow.text1.text, QStringLiteral("あいうえおかきくけこさ"));
        QVERIFY(marker->styleSheet().contains(QStringLiteral("#ff0000")));
        QVERIFY(s.textFlow.label1.left > 0);

        // The rows hold problems: the flow asks first (Yes).
        click(control(view, "Command1"));
        QCOMPARE(s.host.fake.messages.size(), size_t(1));
        QCOMPARE(s.host.fake.messages[0].buttons, MessageButtons::YesNo);
        QCOMPARE(s.host.grid[1][3], QStringLiteral("あいうえおかきくけこ"));
        QCOMPARE(s.host.grid[2][3], QStringLiteral("さ"));
        QCOMPARE(s.host.grid[3][3], QStringLiteral("字"));
        s.host.fake.messages.clear();

        // "罫線用" turns "流し込み" light cyan; "本文消去" empties the before cells only.
        click(control(view, "Option2"));
        QVERIFY(control(view, "Command1")->styleSheet().contains(QStringLiteral("#80ffff")));
        s.host.grid[4][2] = QStringLiteral("前");
        click(control(view, "Command2"));
        QCOMPARE(s.host.grid[4][2], QString());
        QCOMPARE(s.host.grid[1][3], QStringLiteral("あいうえおかきくけこ"));

        // Closing without a heading reminds once.
        view->close();
        QCOMPARE(s.host.fake.messageTexts(), QStringList{QStringLiteral("見出し登録は済みましたか？")});
        QVERIFY(!s.textFlow.isOpen());
        delete view.data();
    }

    void kanaPositionView() {
        Setup s;
        s.kana.open();
        KanaPositionView view(s.kana);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.windowTitle(), QStringLiteral("かな印字位置調整"));
        QCOMPARE(view.accessibleName(), view.windowTitle());
        auto* vertical = control<QSlider>(&view, "Slider1");
        auto* horizontal = control<QSlider>(&view, "Slider2");
        auto* sample = control<QLabel>(&view, "Label1");
        QVERIFY(vertical && horizontal && sample);
        QCOMPARE(vertical->minimum(), -10);
        QCOMPARE(vertical->maximum(), 10);
        QCOMPARE(vertical->pageStep(), 5);
        QCOMPARE(sample->text(), QStringLiteral("亜"));
        QCOMPARE(sample->pos(), QPoint(32, 24));
        shoot(&view, QStringLiteral("kana-position"));

        // Keys move the sliders: Page Down is a large step on the vertical one.
        vertical->setFocus();
        QTest::keyClick(vertical, Qt::Key_PageDown);
        horizontal->setFocus();
        QTest::keyClick(horizontal, Qt::Key_Right);
        QCOMPARE(s.kana.slider1.value, 5);
        QCOMPARE(s.kana.slider2.value, 1);
        QCOMPARE(s.host.offset1, 30);  // ordinary face: horizontal first
        QCOMPARE(s.host.offset2, 150);
        QCOMPARE(sample->pos(), QPoint((480 + 30) / 15, (360 + 150) / 15));

        click(control(&view, "Command1"));
        QCOMPARE(vertical->value(), 0);
        QCOMPARE(horizontal->value(), 0);
        QCOMPARE(s.host.offset1, 0);
        QCOMPARE(s.host.offset2, 0);
        QCOMPARE(sample->pos(), QPoint(32, 24));

        view.close();
        QVERIFY(!s.kana.isOpen());
    }
};

QTEST_MAIN(PaperWindowsTest)
#include "paper_windows_test.moc"
