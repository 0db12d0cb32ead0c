// The maintenance tools and help windows driven through their views with real clicks and
// key presses, offscreen. Set JIRAKUBO_SCREENSHOT_DIR to keep the help windows' pictures.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>
#include <memory>

#include "accessible_text.h"
#include "core/data/text_codec.h"
#include "core/windows/main/main_window.h"
#include "fake_tool_host.h"
#include "platform/main_window_view.h"
#include "platform/qt_platform.h"
#include "platform/windows/button_help_view.h"
#include "platform/windows/data_creation_help_view.h"
#include "platform/windows/data_edit_view.h"
#include "platform/windows/file_merge_view.h"
#include "platform/windows/password_view.h"
#include "platform/windows/window_picture.h"
#include "scripted_answers.h"

namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString readCp932(const QString& path) {
    return textcodec::decodeCp932(readBytes(path)).value_or(QString());
}

template <typename W = QWidget>
W* child(QWidget* view, const QString& name) {
    W* w = view->findChild<W*>(name);
    if (!w) qWarning("no control %s", qPrintable(name));
    return w;
}

void click(QWidget* view, const QString& name) {
    auto* b = child<QPushButton>(view, name);
    QVERIFY(b);
    QTest::mouseClick(b, Qt::LeftButton);
}

// The main window's toolbar as the main window builds it: one action per button of the
// model's table, with its picture, caption and object name; the buttons the model hides at
// start are hidden.
QToolBar* standInToolbar(QWidget* parent) {
    FakePlatform platform;
    Workbook workbook;
    MainWindow model(platform, workbook);
    model.startUp();
    auto* toolbar = new QToolBar(parent);
    toolbar->setObjectName(QStringLiteral("Toolbar1"));
    toolbar->setIconSize(QSize(24, 24));
    toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolbar->setMovable(false);
    for (int i = 1; i <= 27; ++i) {
        const ToolButton& b = model.toolbar[static_cast<size_t>(i)];
        if (b.separator) {
            toolbar->addSeparator();
            continue;
        }
        QAction* a = toolbar->addAction(toolbarPicture(b.picture), b.caption);
        a->setToolTip(b.tooltip);
        a->setObjectName(QStringLiteral("Toolbar1_%1").arg(i));
        a->setVisible(b.visible);
    }
    return toolbar;
}

// The desktop platform with its message boxes answered from a queue (none expected).
class QuietPlatform : public QtPlatform, public ScriptedAnswers {
public:
    QTemporaryDir folder;
    MessageAnswer messageBox(const QString& text, const QString& title, MessageButtons buttons,
                             MessageIcon icon) override {
        return answer(text, title, buttons, icon);
    }
    QString currentDirectory() override { return folder.path(); }
    QString configDirectory() override { return folder.path(); }
};

// The window of type W that parent shows (a closed one may wait to be deleted). The views
// have no meta-object of their own, so the type is told by the C++ type.
template <typename W>
W* shown(QWidget* parent) {
    for (QWidget* w : parent->findChildren<QWidget*>())
        if (auto* v = dynamic_cast<W*>(w); v && v->isVisible()) return v;
    return nullptr;
}

QString screenshotDir() {
    static QTemporaryDir fallback;
    const QString dir = qEnvironmentVariable("JIRAKUBO_SCREENSHOT_DIR");
    return dir.isEmpty() ? fallback.path() : dir;
}

}  // namespace

class ToolWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void dataEditFindReplaceAndSave() {
        QTemporaryDir dir;
        FakePlatform platform;
        FakeToolHost host(platform);
        const QString file = dir.filePath(QStringLiteral("a.mojx"));
        writeBytes(file, "ab,ab\r\nAB\r\n");
        host.panel1 = file;
        DataEditWindow model(host);
        model.open();
        DataEditView view(model);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.windowTitle(), QStringLiteral("データ修正ツール"));
        QCOMPARE(view.accessibleName(), view.windowTitle());
        auto* text = child<QPlainTextEdit>(&view, QStringLiteral("txtMain"));
        QVERIFY(text);
        QCOMPARE(text->toPlainText(), QStringLiteral("ab,ab\nAB\n"));
        QCOMPARE(child<QLabel>(&view, QStringLiteral("Label1"))->text(), file);
        QCOMPARE(spokenName(child<QPushButton>(&view, QStringLiteral("Command1"))), QStringLiteral("検索"));

        // Find next selects in the text box.
        QTest::keyClicks(child(&view, QStringLiteral("Text1")), QStringLiteral("ab"));
        click(&view, QStringLiteral("Command1"));
        click(&view, QStringLiteral("Command1"));
        QCOMPARE(text->textCursor().selectionStart(), 3);
        QCOMPARE(text->textCursor().selectedText(), QStringLiteral("ab"));
        QVERIFY(text->hasFocus());

        // A selection made in the text box becomes the search text on release.
        QTextCursor c = text->textCursor();
        c.setPosition(6);
        c.setPosition(8, QTextCursor::KeepAnchor);
        text->setTextCursor(c);
        QTest::mouseRelease(text->viewport(), Qt::LeftButton, {}, QPoint(200, 200));
        QTRY_COMPARE(child<QLineEdit>(&view, QStringLiteral("Text1"))->text(), QStringLiteral("AB"));
        text->setTextCursor(c);  // the release moved the caret

        // Replace, ignoring case, then replace all, exactly.
        QTest::keyClicks(child(&view, QStringLiteral("Text2")), QStringLiteral("x"));
        click(&view, QStringLiteral("Command4"));
        QCOMPARE(text->toPlainText(), QStringLiteral("ab,ab\nx\n"));
        QCOMPARE(platform.messageTexts(), QStringList{QStringLiteral("置換しました")});
        auto* text1 = child<QLineEdit>(&view, QStringLiteral("Text1"));
        text1->clear();
        QTest::keyClicks(text1, QStringLiteral("ab"));
        click(&view, QStringLiteral("Command3"));
        QCOMPARE(text->toPlainText(), QStringLiteral("x,x\nx\n"));

        // Typing goes to the model; the display size follows the combo box.
        text->moveCursor(QTextCursor::End);
        QTest::keyClicks(text, QStringLiteral("end"));
        QCOMPARE(model.txtMain.text, QStringLiteral("x,x\nx\nend"));
        auto* combo = child<QComboBox>(&view, QStringLiteral("Combo1"));
        QCOMPARE(combo->placeholderText(), QStringLiteral("文字サイズ"));
        combo->setCurrentIndex(1);
        emit combo->activated(1);
        QCOMPARE(text->font().pointSizeF(), 15.0);

        click(&view, QStringLiteral("comSave"));
        QCOMPARE(readBytes(file), QByteArray("x,x\r\nx\r\nend\r\n"));
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("aBK.mojx"))), QByteArray("ab,ab\r\nAB\r\n"));

        // Closing with unsaved edits: Cancel keeps the window, No closes it.
        QTest::keyClicks(text, QStringLiteral("!"));
        platform.answers = {MessageAnswer::Cancelled};
        view.close();
        QVERIFY(view.isVisible());
        QVERIFY(model.isOpen());
        platform.answers = {MessageAnswer::No};
        click(&view, QStringLiteral("Command2"));
        QVERIFY(!view.isVisible());
        QVERIFY(!model.isOpen());
        QCOMPARE(readBytes(file), QByteArray("x,x\r\nx\r\nend\r\n"));
    }

    void fileMergePicksAndWrites() {
        QTemporaryDir dir;
        FakePlatform platform;
        platform.cwd = dir.path();
        FakeToolHost host(platform);
        writeBytes(dir.filePath(QStringLiteral("a.moj")), "a,1\r\nb,2\r\n");
        writeBytes(dir.filePath(QStringLiteral("b.mojx")), "c,3\r\n");
        FileMergeWindow model(host);
        model.open();
        FileMergeView view(model);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.accessibleName(), QStringLiteral("ファイル結合"));
        QCOMPARE(view.height(), 3225 / 15);
        auto* files = child<QListWidget>(&view, QStringLiteral("File1"));
        QCOMPARE(files->count(), 1);
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                          files->visualItemRect(files->item(0)).center());
        QCOMPARE(child<QListWidget>(&view, QStringLiteral("List1"))->count(), 1);

        click(&view, QStringLiteral("Command3"));
        QCOMPARE(view.height(), 5820 / 15);
        auto* preview = child<QPlainTextEdit>(&view, QStringLiteral("Text3"));
        QVERIFY(preview->isVisible());
        QCOMPARE(preview->toPlainText(), QStringLiteral("a,1\nb,2\n"));

        auto* name = child<QLineEdit>(&view, QStringLiteral("Text1"));
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("../x"));
        click(&view, QStringLiteral("Command1"));
        QCOMPARE(platform.messages.size(), size_t(1));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("../x.moj"))));
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral(" all "));
        click(&view, QStringLiteral("Command1"));
        QCOMPARE(readCp932(dir.filePath(QStringLiteral("all.moj"))), QStringLiteral("２級,1\r\n１級,2\r\n"));
        QCOMPARE(child<QListWidget>(&view, QStringLiteral("List1"))->count(), 0);
        QCOMPARE(files->count(), 2);  // the new file is listed

        // The other format: its own files and extension.
        QTest::mouseClick(child(&view, QStringLiteral("Option4")), Qt::LeftButton);
        QCOMPARE(child<QLabel>(&view, QStringLiteral("Label1"))->text(), QStringLiteral(".mojx"));
        QCOMPARE(files->count(), 1);
        QCOMPARE(files->item(0)->text(), QStringLiteral("b.mojx"));

        // "フォルダー選択" lists the folder the dialog gives; its path is shown above the list.
        QTemporaryDir other;
        writeBytes(QDir(other.path()).filePath(QStringLiteral("c.mojx")), "d,4\r\n");
        writeBytes(QDir(other.path()).filePath(QStringLiteral("cBK.mojx")), "d,4\r\n");
        platform.folders = {other.path()};
        click(&view, QStringLiteral("Command4"));
        QCOMPARE(files->count(), 1);
        QCOMPARE(files->item(0)->text(), QStringLiteral("c.mojx"));
        auto* folder = child<QLabel>(&view, QStringLiteral("Label4"));
        QCOMPARE(folder->toolTip(), other.path());
        QVERIFY(other.path().endsWith(folder->text().remove(QChar(0x2026))));
        view.grab().save(screenshotDir() + QStringLiteral("/file-merge.png"));
        view.close();
        QVERIFY(!model.isOpen());
    }

    void passwordLeadsToTheMarkedTool() {
        FakePlatform platform;
        FakeToolHost host(platform);
        PasswordWindow model(host, host);
        model.askFor(MaintenanceTool::DataEdit);
        {
            PasswordView view(model);
            view.show();
            QVERIFY(QTest::qWaitForWindowExposed(&view));
            QCOMPARE(view.accessibleName(), view.windowTitle());
            auto* entry = child<QLineEdit>(&view, QStringLiteral("Text1"));
            QCOMPARE(entry->echoMode(), QLineEdit::Password);
            QCOMPARE(child<QLabel>(&view, QStringLiteral("Label1"))->palette().color(QPalette::WindowText),
                     QColor(255, 0, 0));
            QTest::keyClicks(entry, QStringLiteral("tsukimi"));
            QTest::keyClick(entry, Qt::Key_Return);
            QVERIFY(!view.isVisible());
        }
        QCOMPARE(host.opened, std::vector<WindowId>{WindowId::DataEdit});
        // Again: the box is filled in; a changed word is refused and clears the mark.
        model.askFor(MaintenanceTool::DataEdit);
        PasswordView view(model);
        view.show();
        auto* entry = child<QLineEdit>(&view, QStringLiteral("Text1"));
        QCOMPARE(entry->text(), QStringLiteral("tsukimi"));
        QTest::keyClick(entry, Qt::Key_Backspace);
        click(&view, QStringLiteral("Command1"));
        QVERIFY(!view.isVisible());
        QCOMPARE(host.marked, MaintenanceTool::None);
        QCOMPARE(host.opened, std::vector<WindowId>{WindowId::DataEdit});  // nothing more
    }

    void buttonHelpLettersStandOverTheirButtons() {
        QWidget window;  // the toolbar's stand-in main window
        QToolBar* toolbar = standInToolbar(&window);
        // Every button shown on screen, to measure where the real toolbar puts them.
        for (QAction* a : toolbar->actions()) a->setVisible(true);
        window.resize(toolbar->sizeHint());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        FakePlatform platform;
        FakeToolHost host(platform);
        ButtonHelpWindow model(host);
        model.open();
        ButtonHelpView view(model, [toolbar] { return toolbarPicture(*toolbar); });
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.accessibleName(), QStringLiteral("ボタンの説明"));

        struct Picture {
            QString row, image;
            int first, last;
        };
        for (const Picture& p : {Picture{"Label2", "Image1", 1, 21}, Picture{"Label3", "Image2", 8, 24}}) {
            auto* image = child<QLabel>(&view, p.image);
            QVERIFY(image && image->isVisible());
            // The picture starts just left of its first button.
            const QRect firstButton = toolbar
                                          ->widgetForAction(toolbar->findChild<QAction*>(
                                              QStringLiteral("Toolbar1_%1").arg(p.first)))
                                          ->geometry();
            const int pictureLeft = firstButton.left() - 3;
            int letters = 0;
            for (const ButtonExplanation& e : ButtonHelpWindow::explanations()) {
                if (e.toolbarIndex < p.first || e.toolbarIndex > p.last) continue;
                auto* letter = child<QLabel>(&view, p.row + u'_' + e.letter);
                QVERIFY(letter && letter->isVisible());
                QCOMPARE(letter->text(), QString(e.letter));
                QWidget* button = toolbar->widgetForAction(
                    toolbar->findChild<QAction*>(QStringLiteral("Toolbar1_%1").arg(e.toolbarIndex)));
                // The letter's centre, in the picture, is the centre of its button on the toolbar.
                const QPoint inImage =
                    letter->mapTo(&view, letter->rect().center()) - image->mapTo(&view, QPoint(1, 1));
                QVERIFY2(qAbs(inImage.x() - (button->geometry().center().x() - pictureLeft)) <= 1,
                         qPrintable(QStringLiteral("%1 at %2, button at %3")
                                        .arg(e.letter)
                                        .arg(inImage.x())
                                        .arg(button->geometry().center().x() - pictureLeft)));
                QVERIFY(inImage.y() < 0);  // over the picture
                ++letters;
            }
            QCOMPARE(letters, p.row == "Label2" ? 15 : 11);
        }
        QVERIFY(
            child<QLabel>(&view, QStringLiteral("Label4"))->text().contains(QStringLiteral("N　【ヘルプ】")));
        const QString shot = screenshotDir() + QStringLiteral("/button-help.png");
        QVERIFY(view.grab().save(shot));

        // Buttons the main window hides at the moment are pictured all the same.
        for (int i : {23, 24})
            toolbar->findChild<QAction*>(QStringLiteral("Toolbar1_%1").arg(i))->setVisible(false);
        view.updatePictures();
        QVERIFY(child<QLabel>(&view, QStringLiteral("Label3_P"))->isVisible());
        QVERIFY(child<QLabel>(&view, QStringLiteral("Label3_Q"))->isVisible());

        click(&view, QStringLiteral("Command1"));
        QCOMPARE(host.opened, std::vector<WindowId>{WindowId::DataCreationHelp});
        click(&view, QStringLiteral("Command3"));
        QVERIFY(!view.isVisible());
        QVERIFY(!model.isOpen());
    }

    void dataCreationHelpNumbersStandAtTheControls() {
        // A stand-in main window: the toolbar and the controls the steps name.
        QMainWindow window;
        window.addToolBar(standInToolbar(&window));
        auto* central = new QWidget(&window);
        window.setCentralWidget(central);
        auto place = [central](QWidget* w, const QString& name, QRect geometry) {
            w->setParent(central);
            w->setObjectName(name);
            w->setGeometry(geometry);
        };
        place(new QComboBox, "Combo1", {360, 8, 220, 26});
        place(new QPushButton(QStringLiteral("見出し登録")), "Command2", {588, 8, 90, 26});
        place(new QLabel(QStringLiteral("＊＊編集中")), "Label11", {565, 42, 120, 22});
        place(new QCheckBox, "Check3(1)", {4, 84, 18, 20});
        place(new QLabel(QStringLiteral("学校の")), "Label2(1)", {40, 84, 120, 26});
        place(new QLabel(QStringLiteral("漢字")), "Label3(1)", {160, 84, 80, 26});
        place(new QLineEdit(QStringLiteral("漢字")), "Text1", {360, 380, 380, 34});
        window.resize(800, 470);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        FakePlatform platform;
        FakeToolHost host(platform);
        DataCreationHelpWindow model(host);
        model.open();
        DataCreationHelpView view(model, [&window] { return widgetPicture(window); });
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.accessibleName(), QStringLiteral("データ作成の説明"));

        // ② stands at the heading box's top right corner, scaled as the picture is.
        auto* image1 = child<QLabel>(&view, QStringLiteral("Image1"));
        auto* marker = child<QLabel>(image1, QStringLiteral("Image1_②"));
        QVERIFY(marker && marker->isVisible());
        const double scale = double(image1->pixmap().width()) / window.width();
        const QWidget* combo = window.findChild<QWidget*>("Combo1");
        const QPoint corner = combo->mapTo(&window, QPoint(combo->width() - 1, 0)) * scale;
        QVERIFY(qAbs(marker->geometry().center().x() - corner.x()) <= 2);
        QVERIFY(qAbs(marker->geometry().center().y() - qMax(corner.y(), marker->height() / 2 + 1)) <= 2);
        for (const char* m : {"Image1_①", "Image1_③", "Image1_④"})
            QVERIFY(child<QLabel>(image1, QString::fromUtf8(m))->isVisible());
        auto* image2 = child<QLabel>(&view, QStringLiteral("Image2"));
        for (const char* m : {"Image2_⑤", "Image2_⑥", "Image2_⑦", "Image2_⑧"})
            QVERIFY(child<QLabel>(image2, QString::fromUtf8(m))->isVisible());
        QCOMPARE(child<QLabel>(&view, QStringLiteral("Label1"))->text(),
                 QStringLiteral("操作①　ボタンで【データの呼び出し】か【新規作成】を選びます。"));
        QVERIFY(view.grab().save(screenshotDir() + QStringLiteral("/data-creation-help.png")));

        click(&view, QStringLiteral("Command2"));
        QCOMPARE(host.opened, std::vector<WindowId>{WindowId::ButtonHelp});
        QTest::mouseClick(child(&view, QStringLiteral("Image3")), Qt::LeftButton);
        QVERIFY(!view.isVisible());
        QVERIFY(!model.isOpen());
    }

    // The help windows opened from the teacher's window picture a main window of their own,
    // as the program starts: whatever the teacher's window shows (a file of the teacher's, a
    // registered heading, the lookup panel with its changed toolbar button), the pictures are
    // the same, and the numbers stand at the controls of that window.
    void helpPicturesComeFromAWindowOfTheirOwn() {
        struct Teacher {
            QuietPlatform platform;
            Workbook workbook;
            MainWindow model{platform, workbook};
            MainWindowView view{model, platform};
            Teacher() {
                model.startUp();
                view.show();
            }
            // The pictures of both help windows, opened from this window (and left open).
            std::pair<QImage, QImage> helpPictures() {
                model.onMenu(QStringLiteral("hwt"));  // データ作成の説明
                model.onMenu(QStringLiteral("hpo"));  // ボタンの説明
                view.refresh();
                auto* creation = shown<DataCreationHelpView>(&view);
                auto* buttons = shown<ButtonHelpView>(&view);
                if (!creation || !buttons) return {};
                const QImage a = child<QLabel>(creation, QStringLiteral("Image1"))->pixmap().toImage();
                const QImage b = child<QLabel>(buttons, QStringLiteral("Image2"))->pixmap().toImage();
                return {a, b};
            }
        };
        Teacher fresh;
        const auto [startCreation, startButtons] = fresh.helpPictures();
        QVERIFY(!startCreation.isNull() && !startButtons.isNull());

        Teacher busy;
        busy.model.onMenu(QStringLiteral("np"));
        busy.model.combo1.text = QStringLiteral("三年一組　漢字テスト");
        busy.model.registerHeading();
        busy.model.filePath = QStringLiteral("/home/sensei/成績/三年一組.mojx");
        busy.model.onToolbarClick(12);  // the lookup panel: the window grows, button 12 changes
        busy.view.refresh();
        QVERIFY(busy.model.lookupPanel.visible);
        const auto [creation, buttons] = busy.helpPictures();
        QVERIFY(creation == startCreation);
        QVERIFY(buttons == startButtons);

        // ③ stands at the top right corner of 見出し登録 in the picture, not over the menu bar.
        const WindowPicture picture = dataCreationPicture();
        const QRect command2 = picture.places.value(QStringLiteral("Command2"));
        QVERIFY(command2.isValid());
        QVERIFY(command2.top() > 30);  // below the menu bar and the toolbar
        auto* view = shown<DataCreationHelpView>(&busy.view);
        QVERIFY(view);
        auto* image1 = child<QLabel>(view, QStringLiteral("Image1"));
        const double scale =
            double(image1->pixmap().deviceIndependentSize().width()) / picture.pixmap.width();
        for (const auto& [mark, name] : {std::pair{"Image1_②", "Combo1"}, std::pair{"Image1_③", "Command2"},
                                         std::pair{"Image1_④", "Label11"}}) {
            auto* marker = child<QLabel>(image1, QString::fromUtf8(mark));
            QVERIFY2(marker && marker->isVisible(), mark);
            const QRect at = picture.places.value(QString::fromUtf8(name));
            QVERIFY2(at.isValid(), name);
            QVERIFY(qAbs(marker->geometry().center().x() - qRound(at.right() * scale)) <= 2);
            QVERIFY(qAbs(marker->geometry().center().y() - qRound(at.top() * scale)) <= 2);
        }
        auto* image2 = child<QLabel>(view, QStringLiteral("Image2"));
        for (const char* m : {"Image2_⑤", "Image2_⑥", "Image2_⑦", "Image2_⑧"})
            QVERIFY(child<QLabel>(image2, QString::fromUtf8(m))->isVisible());
        QVERIFY(view->grab().save(screenshotDir() + QStringLiteral("/data-creation-help-start.png")));
        QVERIFY(shown<ButtonHelpView>(&busy.view)
                    ->grab()
                    .save(screenshotDir() + QStringLiteral("/button-help-start.png")));
        QVERIFY(picture.pixmap.save(screenshotDir() + QStringLiteral("/start-window.png")));
    }
};

QTEST_MAIN(ToolWindowsTest)
#include "tool_windows_test.moc"
