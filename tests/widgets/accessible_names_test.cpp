// What a screen reader hears in every window, read in-process through Qt's accessibility
// interfaces, offscreen: names a person understands (captions, texts, the label beside a
// box, a grid cell's place and content, titles), the design names tools ask for with
// JIRAKUBO_ACCESSIBLE_IDS=1, and the keyboard reaching and using what the mouse can.
#include "platform/windows/accessible_names.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <map>

#include "../core/fake_paper_host.h"
#include "accessible_text.h"
#include "core/printing/recording_surface.h"
#include "editing_window.h"
#include "fake_tool_host.h"
#include "platform/windows/file_merge_view.h"
#include "platform/windows/keyboard_access.h"
#include "platform/windows/lookup_panel_view.h"
#include "platform/windows/manuscript_view.h"
#include "platform/windows/memory_list_view.h"
#include "platform/windows/window_view.h"

namespace {

// Every secondary window the main window lists.
std::vector<WindowId> windowIds(const MainWindow& model) {
    std::vector<WindowId> ids;
    for (const WindowModel* window : model.secondaryWindows) ids.push_back(window->id());
    return ids;
}

// Names that are the window design's own, not words: Label3(1), Command101, Text2, Slider1.
const QRegularExpression& designLike() {
    static const QRegularExpression re(QStringLiteral(
        "^(Label|Command|Text|Check|Combo|Option|List|Picture|Image|HScroll|Frame|Slider|File|StatusBar|"
        "Toolbar)\\d|^(txtMain|comOpen|comSave|comSaveas)$"));
    return re;
}

// A caption of signs only (▲, ⇒, 13) says nothing read aloud; its control is named by what it does.
bool symbolic(const QString& caption) {
    for (QChar c : caption)
        if (c.isLetter()) return false;
    return true;
}

QString describe(QAccessibleInterface* i) {
    QString where = i->object() ? QString::fromLatin1(i->object()->metaObject()->className()) : QString();
    if (i->object() && !i->object()->objectName().isEmpty()) where += u' ' + i->object()->objectName();
    return QStringLiteral("%1 \"%2\"").arg(where, i->text(QAccessible::Name));
}

// Walks a window as a screen reader sees it and lists what a person could not understand:
// a design name, a focusable control without a name, a button named other than its caption.
QStringList faultsOf(QWidget* window, int* visited = nullptr) {
    QStringList faults;
    int count = 0;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* i) {
        if (!i || !i->isValid()) return;
        ++count;
        const QString name = i->text(QAccessible::Name);
        const QAccessible::State state = i->state();
        if (designLike().match(name).hasMatch()) faults << QStringLiteral("design name: ") + describe(i);
        if (!state.invisible && state.focusable && name.trimmed().isEmpty())
            faults << QStringLiteral("focusable without a name: ") + describe(i);
        if (!state.invisible && i->role() == QAccessible::Button) {
            QString caption;
            if (auto* b = qobject_cast<QAbstractButton*>(i->object()); b && !qobject_cast<QToolButton*>(b))
                caption = b->text().remove(u'&');
            else if (auto* l = qobject_cast<QLabel*>(i->object()))
                caption = l->text();
            if (!caption.isEmpty() && !symbolic(caption) && name != caption)
                faults << QStringLiteral("button not named by its caption \"%1\": ").arg(caption) +
                              describe(i);
            if (name.trimmed().isEmpty()) faults << QStringLiteral("button without a name: ") + describe(i);
        }
        for (int k = 0; k < i->childCount(); ++k) walk(i->child(k));
    };
    walk(QAccessible::queryAccessibleInterface(window));
    if (visited) *visited = count;
    return faults;
}

WindowView* shownWindow(const QString& title) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* v = qobject_cast<WindowView*>(w); v && v->isVisible() && v->windowTitle() == title)
            return v;
    return nullptr;
}

// The main window with a page of three problems, the lookup panel with grade 1 and the
// memory list shown: every part of it has something to read.
struct FilledWindow : EditingWindow {
    bool fill() {
        if (!QTest::qWaitForWindowActive(&view) || !startWorkbook()) return false;
        put(1, kColBefore, QStringLiteral("きのう、"));
        put(1, kColKanji, QStringLiteral("学校"));
        put(3, kColKanji, QStringLiteral("山"));
        put(3, kColReading, QStringLiteral("やま"));
        put(3, kColAfter, QStringLiteral("に登る。"));
        clickToolbar(12);  // 単漢字表示
        click(view.lookupPanel()->gradeButton(1));
        click(view.numberLabel(1));  // into the memory list
        model.onCellClick(5, kColBefore);
        view.refresh();
        return view.lookupPanel()->isVisible() && view.memoryPanel()->isVisible();
    }
    // A cell's text as the grid takes it; a kanji put so waits for no input method reading.
    void put(int row, int col, const QString& text) {
        model.setCellText(row, col, text);
        model.grid.captureFlag = false;
        view.refresh();
    }
    int firstRowWithoutKanji() const {
        for (int r = 1; r <= 10; ++r)
            if (model.grid.at(r).cell(kColKanji).text.isEmpty()) return r;
        return 0;
    }
    // The names of the toolbar buttons Tab stops on, in order: the ones that fit the
    // toolbar, then its extension button when some do not.
    QStringList toolbarStops() const {
        QStringList names;
        for (int i = 1; i <= kLastToolbarButton; ++i) {
            QAction* a = view.toolbarAction(i);
            if (!a || a->isSeparator() || !a->isEnabled()) continue;
            if (QWidget* b = view.toolbar()->widgetForAction(a); b && b->isVisible()) names << spokenName(b);
        }
        auto* more = view.toolbar()->findChild<QWidget*>(QStringLiteral("qt_toolbar_ext_button"));
        if (more && more->isVisible()) names << spokenName(more);
        return names;
    }
    // The names Tab stops on, from the heading box on, once round the window.
    QStringList tabStops() {
        QApplication::processEvents();  // the toolbar lays out the buttons that showed
        view.headingBox()->setFocus(Qt::TabFocusReason);
        QStringList names;
        QWidget* first = QApplication::focusWidget();
        for (int i = 0; i < 400; ++i) {
            QWidget* w = QApplication::focusWidget();
            if (!w || (i > 0 && w == first)) break;
            names << spokenName(w);
            QTest::keyClick(w, Qt::Key_Tab);
        }
        return names;
    }
};

struct PaperSetup {
    QTemporaryDir dir;
    FakePaperHost host;
    RecordingSurface printed;
    ManuscriptWindow manuscript{host, host};

    PaperSetup() {
        host.fake.cwd = dir.path();
        host.fake.makeSurface = [this] { return std::make_unique<RecordingSurface>(&printed); };
        host.closers[WindowId::ManuscriptPaper] = [this] { manuscript.close(); };
    }
};

}  // namespace

class AccessibleNamesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { accessible::setDesignNames(false); }
    void cleanup() { accessible::setDesignNames(false); }

    void everyWindowReadsLikeItLooks() {
        FilledWindow w;
        QVERIFY(w.fill());
        int visited = 0;
        QStringList faults = faultsOf(&w.view, &visited);
        QVERIFY2(visited > 250, qPrintable(QString::number(visited)));  // menus, grid, panels
        int windows = 0;
        for (WindowId id : windowIds(w.model)) {
            w.model.openWindow(id);
            w.view.refresh();
        }
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* v = qobject_cast<WindowView*>(top);
            if (!v || !v->isVisible()) continue;
            ++windows;
            QCOMPARE(spokenName(v), v->windowTitle());
            QVERIFY(spokenRole(v) == QAccessible::Window || spokenRole(v) == QAccessible::Dialog);
            faults << faultsOf(v);
        }
        QCOMPARE(windows, 12);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    void placesPartsAndPurposes() {
        FilledWindow w;
        QVERIFY(w.fill());
        MainWindowView& v = w.view;
        const struct {
            QWidget* widget;
            const char* name;
            QAccessible::Role role;
        } cases[] = {
            {&v, "無題* - 2011字楽坊", QAccessible::Window},
            {v.cellLabel(3, kColKanji), "3行目 漢字 山", QAccessible::StaticText},
            {v.cellLabel(3, kColReading), "3行目 よみ やま", QAccessible::StaticText},
            {v.cellLabel(3, kColAfter), "3行目 後の文 に登る。", QAccessible::StaticText},
            {v.cellLabel(3, kColBefore), "3行目 前の文", QAccessible::StaticText},
            {v.cellLabel(10, kColAfter2), "10行目 後の文2", QAccessible::StaticText},
            {v.numberLabel(3), "3行目をメモリーへ", QAccessible::Button},
            {v.check3(3), "3行目 漢字をもう一つ", QAccessible::CheckBox},
            {v.entryBox(), "入力", QAccessible::EditableText},
            {v.headingBox(), "れんしゅう", QAccessible::ComboBox},  // Qt names a combo box by its text
            {v.registerButton(), "登録済み", QAccessible::Button},
            {v.arrowImage(2), "上へ", QAccessible::Button},
            {v.arrowImage(5), "右へ", QAccessible::Button},
            {v.toolbar(), "ツールバー", QAccessible::ToolBar},
            {v.lookupPanel()->searchBox(), "検索するよみ", QAccessible::EditableText},
            {v.lookupPanel()->kunOption(), "訓", QAccessible::RadioButton},
            {v.lookupPanel()->compoundBox(), "熟語編成", QAccessible::CheckBox},
            {v.lookupPanel()->gradeButton(2), "２年", QAccessible::Button},
            {v.lookupPanel()->clearButton(), "消去", QAccessible::Button},
            {v.memoryPanel()->list(), "記憶した問題", QAccessible::List},
            {v.memoryPanel()->clearButton(), "メモリー消去", QAccessible::Button},
        };
        for (const auto& c : cases) {
            QCOMPARE(spokenName(c.widget), QString::fromUtf8(c.name));
            QCOMPARE(spokenRole(c.widget), c.role);
        }
        QCOMPARE(spokenDescription(v.headingBox()), QStringLiteral("見出し"));
        // A lookup cell reads as its kanji, its reading the description.
        LookupClickLabel* cell = v.lookupPanel()->cell(0);
        QVERIFY(!cell->text().isEmpty());
        QCOMPARE(spokenName(cell), cell->text());
        QCOMPARE(spokenDescription(cell), cell->toolTip());
        QCOMPARE(spokenRole(cell), QAccessible::Button);
        // The entry box says which cell it edits; the number button of a row with problems
        // what the row holds, of an empty row what the tooltip adds.
        QCOMPARE(spokenDescription(v.entryBox()), QStringLiteral("5行目 前の文"));
        QCOMPARE(spokenDescription(v.numberLabel(3)), QStringLiteral("山（やま） に登る。"));
        QCOMPARE(spokenDescription(v.numberLabel(4)), QStringLiteral("削除して記憶"));
        QCOMPARE(spokenDescription(v.memoryPanel()->list()), QStringLiteral("選択・クリックで復元"));
        // The status bar panels read as their texts, described by what they show.
        QCOMPARE(spokenName(v.statusPanel(2)), v.statusPanel(2)->text());
        QCOMPARE(spokenDescription(v.statusPanel(2)), QStringLiteral("フォント"));
        // The toolbar's picture buttons by their commands.
        QCOMPARE(spokenName(v.toolbar()->widgetForAction(v.toolbarAction(1))),
                 QStringLiteral("ファイルを開く"));
        QCOMPARE(spokenName(v.toolbar()->widgetForAction(v.toolbarAction(6))), QStringLiteral("印刷書き方"));
        // A cell's name follows its content.
        w.put(3, kColKanji, QStringLiteral("川"));
        QCOMPARE(spokenName(v.cellLabel(3, kColKanji)), QStringLiteral("3行目 漢字 川"));
    }

    void namesFollowCaptions() {
        FilledWindow w;
        // The main window by its title, which names the workbook once there is one.
        QCOMPARE(spokenName(&w.view), QStringLiteral("2011字楽坊"));
        QCOMPARE(spokenName(w.view.headingBox()), QStringLiteral("見出し"));  // empty, by its purpose
        QVERIFY(w.fill());
        QCOMPARE(spokenName(&w.view), QStringLiteral("無題* - 2011字楽坊"));
        LookupPanelView* panel = w.view.lookupPanel();
        w.click(panel->gradeButton(2));  // two pages of kanji
        QCOMPARE(spokenName(panel->pageButton()), QStringLiteral("次へ"));
        w.click(panel->pageButton());
        QCOMPARE(panel->pageButton()->text(), QStringLiteral("戻る"));
        QCOMPARE(spokenName(panel->pageButton()), QStringLiteral("戻る"));
        QCOMPARE(spokenName(panel->exampleButton()), QStringLiteral("例文表示"));
        w.click(panel->exampleButton());
        QCOMPARE(spokenName(panel->exampleButton()), QStringLiteral("例文非表示"));
    }

    void designNamesForTools() {
        accessible::setDesignNames(true);
        FilledWindow w;
        QVERIFY(w.fill());
        MainWindowView& v = w.view;
        const struct {
            QWidget* widget;
            const char* name;
            const char* description;  // the text it shows
        } cases[] = {
            {v.cellLabel(3, kColKanji), "Label3(3)", "山"},
            {v.cellLabel(3, kColReading), "Label4(3)", "やま"},
            {v.numberLabel(3), "Label1(3)", "3"},
            {v.check3(3), "Check3(3)", "５マス表示ボタン"},
            {v.entryBox(), "Text1", "文字を入力して編集"},  // the tooltip
            {v.registerButton(), "登録済み", "登録済み"},
            {v.arrowImage(2), "Image2 ▲", "▲"},
            {v.statusPanel(4), "StatusBar1 パネル4", " 1頁"},
            {v.lookupPanel()->gradeButton(1), "Command202(1)", "1年"},
            {v.lookupPanel()->pageButton(), "Command101", "次へ"},
            {v.lookupPanel()->searchBox(), "Text2", "ひらがなを入力してクリック"},
            {v.lookupPanel()->kunOption(), "Option2", "訓"},
            {v.lookupPanel()->compoundBox(), "Check1", "熟語編成"},
            {v.lookupPanel()->exampleButton(), "Command4", "例文表示"},
            {v.lookupPanel()->clearButton(), "Label202", "消去"},
            {v.lookupPanel()->strokeOrderBox(), "書き順", "書き順"},
            {v.memoryPanel()->list(), "List1", ""},
            {v.memoryPanel()->clearButton(), "Command1", "メモリー消去"},
            {v.toolbar()->widgetForAction(v.toolbarAction(12)), "単漢字表示", "単漢字表示"},
        };
        for (const auto& c : cases) {
            QCOMPARE(spokenName(c.widget), QString::fromUtf8(c.name));
            QCOMPARE(spokenDescription(c.widget), QString::fromUtf8(c.description));
        }
        // Qt speaks a combo box's text as its name on Linux; the design name is still given.
        QCOMPARE(v.headingBox()->accessibleName(), QStringLiteral("Combo1 見出し"));
        QCOMPARE(spokenDescription(v.headingBox()), QStringLiteral("れんしゅう"));
        QCOMPARE(spokenName(v.lookupPanel()->cell(0)), QStringLiteral("Label101(0)"));
        QCOMPARE(spokenDescription(v.lookupPanel()->cell(0)), v.lookupPanel()->cell(0)->text());
        QCOMPARE(spokenName(&v), QStringLiteral("2011字楽坊"));

        // A secondary window: design names, captions in the descriptions.
        w.model.openWindow(WindowId::ManuscriptPaper);
        w.view.refresh();
        WindowView* paper = shownWindow(QStringLiteral("原稿用紙-クリックで印刷"));
        QVERIFY(paper);
        auto* size = paper->findChild<QPushButton*>(QStringLiteral("Command1_0"));
        QVERIFY(size);
        QCOMPARE(spokenName(size), QStringLiteral("Command1(0)"));
        QCOMPARE(spokenDescription(size), QStringLiteral("２０×２０"));
        auto* frame = paper->findChild<QGroupBox*>(QStringLiteral("Frame4"));
        QCOMPARE(spokenName(frame), QStringLiteral("Frame4"));
        QCOMPARE(spokenDescription(frame), QStringLiteral("用紙サイズ"));
        // With design names the walk finds them all.
        QVERIFY(!faultsOf(&w.view).isEmpty());
    }

    void tabFollowsReadingOrder() {
        // A new workbook: the heading box and its register button, each row's toggle and
        // number button, then the arrow pad (the entry box waits for the heading); round to
        // the toolbar above them.
        FilledWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.view));
        QVERIFY(w.chooseMenu(QStringLiteral("np")));
        QStringList expected{QStringLiteral("見出し"), QStringLiteral("見出し登録")};
        for (int r = 1; r <= 10; ++r)
            expected << accessible::secondWordName(r) << accessible::numberButtonName(r);
        expected << QStringLiteral("上へ") << QStringLiteral("下へ") << QStringLiteral("左へ")
                 << QStringLiteral("右へ") << w.toolbarStops();
        QCOMPARE(w.tabStops(), expected);
        QCOMPARE(w.toolbarStops().first(), QStringLiteral("ファイルを開く"));
        // Typing: the entry box straight after the heading box, then the rows' toggles and
        // number buttons, the lookup panel (which takes the arrow pad's place) and the memory
        // list.
        QVERIFY(w.fill());
        const QStringList stops = w.tabStops();
        expected = QStringList{QStringLiteral("れんしゅう"), QStringLiteral("入力")};
        for (int r = 1; r <= 10; ++r)
            expected << accessible::secondWordName(r) << accessible::numberButtonName(r);
        for (int g = 1; g <= 6; ++g) expected << w.view.lookupPanel()->gradeButton(g)->text();
        for (int k = 0; k < kLookupCells; ++k)
            if (!w.view.lookupPanel()->cell(k)->text().isEmpty())
                expected << w.view.lookupPanel()->cell(k)->text();
        // Grade 1 fills one page: the page button is off. Tab enters the option pair at the
        // chosen one; the arrow keys move between them.
        expected << QStringLiteral("音") << QStringLiteral("検索するよみ") << QStringLiteral("熟語編成")
                 << QStringLiteral("書き順") << QStringLiteral("例文表示") << QStringLiteral("消去")
                 << QStringLiteral("記憶した問題") << QStringLiteral("メモリー消去");
        QCOMPARE(stops, expected + w.toolbarStops());
        // In a window wide enough for the whole toolbar, the commands that have no menu item
        // are among them.
        w.view.resize(1800, w.view.height());
        QTRY_VERIFY(w.view.toolbar()->widgetForAction(w.view.toolbarAction(27))->isVisible());
        for (const char* command : {"表示項目全削除", "教科書会社選択", "文章の流し込み"})
            QVERIFY2(w.toolbarStops().contains(QString::fromUtf8(command)), command);
        QVERIFY(!w.toolbarStops().contains(QStringLiteral("ほかのボタン")));
        QCOMPARE(w.tabStops(), expected + w.toolbarStops());
        // In a narrow one, those that do not fit are behind the extension button, a Tab stop.
        w.view.resize(500, w.view.height());
        QTRY_VERIFY(!w.view.toolbar()->widgetForAction(w.view.toolbarAction(27))->isVisible());
        QVERIFY(w.toolbarStops().contains(QStringLiteral("ほかのボタン")));
        QCOMPARE(w.tabStops(), expected + w.toolbarStops());
    }

    void rowsReadWhatTheyHold() {
        // A listener on a row's number button hears the row; on a kanji cell the entry box
        // says the reading above it, so a reading the input method fills in is heard.
        FilledWindow w;
        QVERIFY(w.fill());
        QCOMPARE(spokenDescription(w.view.numberLabel(3)), QStringLiteral("山（やま） に登る。"));
        QCOMPARE(spokenDescription(w.view.numberLabel(4)), QStringLiteral("削除して記憶"));  // its tooltip
        w.model.onCellClick(3, kColKanji);
        w.view.refresh();
        QCOMPARE(spokenDescription(w.view.entryBox()), QStringLiteral("3行目 漢字 よみ やま"));
        w.model.onCellClick(3, kColAfter);
        w.view.refresh();
        QCOMPARE(spokenDescription(w.view.entryBox()), QStringLiteral("3行目 後の文"));
    }

    void secondaryWindowsTabInReadingOrder() {
        // Each window's Tab stops from its first control, once round. An option pair is one
        // stop (its chosen option); a combo box reads as its text.
        const std::map<WindowId, QStringList> expected{
            {WindowId::TracingColor, {"淡い", "決定", "取り消し"}},
            {WindowId::Company,
             {"東京書籍", "三省堂", "教育出版", "学校図書", "光村図書", "指定しないで閉じる"}},
            {WindowId::KanaPosition, {"上下の位置", "左右の位置", "中央", "閉じる"}},
            {WindowId::ManuscriptPaper,
             {"２０×２０", "１２×１２", "１４×１４", "１６×１６", "・・山・・・・・・・・の練習プリント",
              "Ａ４", "あり", "あり", "標準（黒）", "タイトル", "閉じる"}},
            {WindowId::RuledPaper, {"20", "なし", "タイトル", "印刷", "閉じる"}},
            {WindowId::TextFlow,
             {"流し込む文章", "１０文字マス目用", "流し込み", "本文消去", "テキスト消去"}},
            {WindowId::DataEdit,
             {"ファイルの内容", "検索する文字", "検索", "フォント変更", "置き換える文字", "置換", "全置換",
              "文字サイズ", "ファイルを開く", "上書き保存", "名前を付けて保存", "終了"}},
            {WindowId::FileMerge,
             {"旧バージョン（.moj）", "フォルダーのファイル", "フォルダー選択", "結合するファイル",
              "結合後のファイル名", "Yes", "番号の後の文字", "実行", "取消し", "編集テキスト表示"}},
            {WindowId::Password, {"パスワード", "OK", "閉じる"}},
            {WindowId::ButtonHelp, {"閉じる", "データ作成の説明\nヘルプを開く", "閉じる"}},
            {WindowId::DataCreationHelp, {"ボタンの説明", "閉じる"}},
            {WindowId::TestBuilder,
             {"学年の漢字から", "1年", "テストにする漢字", "パネルの漢字(L)", "テストにするページ", "問題数",
              "見出し", "種", "新しい種", "作成(C)", "クラス", "児童（空ならクラス全体）", "児童を加える",
              "画面の頁を採点", "採点: スペースで○×を切り替え、Xで×、Oで○", "記録(R)", "復習(V)"}},
        };
        FilledWindow w;
        QVERIFY(w.fill());
        for (WindowId id : windowIds(w.model)) {
            w.model.openWindow(id);
            w.view.refresh();
            WindowView* v = nullptr;
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* view = qobject_cast<WindowView*>(top); view && view->isVisible()) v = view;
            QVERIFY(v);
            v->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(v));
            const QStringList& stops = expected.at(id);
            QWidget* first = nullptr;
            for (QWidget* c : v->findChildren<QWidget*>())
                if (!first && c->isVisible() && (c->focusPolicy() & Qt::TabFocus) &&
                    spokenName(c) == stops[0])
                    first = c;
            QVERIFY2(first, qPrintable(v->windowTitle()));
            first->setFocus(Qt::TabFocusReason);
            QStringList names;
            for (int i = 0; i < 60; ++i) {
                QWidget* f = QApplication::focusWidget();
                if (!f || (i > 0 && f == first)) break;
                names << spokenName(f);
                QTest::keyClick(f, Qt::Key_Tab);
            }
            QCOMPARE(names, stops);
            w.model.closeWindow(id);
            w.view.refresh();
        }
    }

    void keyboardDoesWhatTheMouseDoes() {
        FilledWindow w;
        QVERIFY(w.fill());
        // Space on a number button takes the row out into the memory list ...
        ClickLabel* number = w.view.numberLabel(3);
        number->setFocus(Qt::TabFocusReason);
        QTest::keyClick(number, Qt::Key_Space);
        QCOMPARE(w.model.grid.at(3).cell(kColKanji).text, QString());
        QListWidget* list = w.view.memoryPanel()->list();
        QCOMPARE(list->count(), 2);
        // ... and Enter on its item in the list puts it back.
        list->setFocus(Qt::TabFocusReason);
        list->setCurrentRow(1);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(w.model.grid.at(1).cell(kColKanji).text, QStringLiteral("山"));  // the first empty row

        // Arrow keys walk the lookup cells; Enter copies the kanji into the grid.
        LookupPanelView* panel = w.view.lookupPanel();
        panel->cell(0)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(panel->cell(0), Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), panel->cell(1));
        QTest::keyClick(panel->cell(1), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), panel->cell(11));
        const QString kanji = panel->cell(11)->text();
        QVERIFY(!kanji.isEmpty());
        // A copy goes to the grid cursor's row while its word is empty, else the first empty row.
        const auto target = [&w] {
            const int chosen = w.model.grid.row;
            return w.model.grid.at(chosen).cell(kColKanji).text.isEmpty() ? chosen : w.firstRowWithoutKanji();
        };
        int row = target();
        QVERIFY(row > 0);
        QTest::keyClick(panel->cell(11), Qt::Key_Return);
        QCOMPARE(w.model.grid.at(row).cell(kColKanji).text, kanji);
        QCOMPARE(QApplication::focusWidget(), panel->cell(11));  // the focus stays for the next one

        // A screen reader presses a cell through its action.
        row = target();
        QAccessibleActionInterface* action =
            QAccessible::queryAccessibleInterface(panel->cell(2))->actionInterface();
        QVERIFY(action);
        QVERIFY(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
        action->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(w.model.grid.at(row).cell(kColKanji).text, panel->cell(2)->text());

        // Example lines: shown for a cell, taken with Enter into the row a copy goes to.
        w.click(panel->exampleButton());
        QTest::mouseClick(panel->cell(0), Qt::LeftButton);
        LookupClickLabel* line = panel->exampleLine(0);
        if (!line->text().isEmpty() && line->pressable()) {
            row = target();
            QVERIFY(row > 0);
            line->setFocus(Qt::TabFocusReason);
            QTest::keyClick(line, Qt::Key_Enter);
            QVERIFY(!w.model.grid.at(row).cell(kColKanji).text.isEmpty());
            QVERIFY(line->text().contains(w.model.grid.at(row).cell(kColKanji).text));
        } else {
            QFAIL("base.moj gave no example line for the first kanji of grade 1");
        }

        // The arrow pad (back once the lookup panel hides): Space moves the grid cursor and the
        // arrow keeps the focus.
        QVERIFY(w.chooseMenu(QStringLiteral("ghf")));
        w.model.onCellClick(4, kColKanji);
        w.view.refresh();
        ClickLabel* down = w.view.arrowImage(3);
        down->setFocus(Qt::TabFocusReason);
        QTest::keyClick(down, Qt::Key_Space);
        QCOMPARE(w.model.grid.row, 5);
        QCOMPARE(QApplication::focusWidget(), down);

        // A mouse click on a pressable label leaves the focus in the entry box.
        w.entry()->setFocus();
        QTest::mouseClick(panel->cell(0), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.entry()));
    }

    void fileListPicksWithEnter() {
        QTemporaryDir dir;
        FakePlatform platform;
        platform.cwd = dir.path();
        FakeToolHost host(platform);
        QFile file(dir.filePath(QStringLiteral("a.moj")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("a,1\r\n");
        file.close();
        FileMergeWindow model(host);
        model.open();
        FileMergeView view(model);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        auto* files = view.findChild<QListWidget*>(QStringLiteral("File1"));
        QVERIFY(files);
        QCOMPARE(spokenName(files), QStringLiteral("フォルダーのファイル"));
        QCOMPARE(spokenDescription(files), dir.path());
        files->setFocus(Qt::TabFocusReason);
        files->setCurrentRow(0);
        QTest::keyClick(files, Qt::Key_Return);
        QCOMPARE(model.list1, QStringList{QStringLiteral("a.moj")});
        QTest::keyClick(files, Qt::Key_Space);
        QCOMPARE(model.list1, QStringList({QStringLiteral("a.moj"), QStringLiteral("a.moj")}));
    }

    void focusMarkShows() {
        FilledWindow w;
        QVERIFY(w.fill());
        ClickLabel* number = w.view.numberLabel(2);
        w.entry()->setFocus();
        const QImage without = number->grab().toImage();
        number->setFocus(Qt::TabFocusReason);
        QVERIFY(number->hasFocus());
        const QImage with = number->grab().toImage();
        QVERIFY(with != without);
        const QColor highlight = number->palette().color(QPalette::Highlight);
        const QColor edge = with.pixelColor(with.width() / 2, 1);
        QCOMPARE(edge.name(), highlight.name());
        // A flat toolbar button shows the same frame.
        QWidget* save = w.view.toolbar()->widgetForAction(w.view.toolbarAction(4));
        const QImage plain = save->grab().toImage();
        save->setFocus(Qt::TabFocusReason);
        QVERIFY(save->hasFocus());
        const QImage framed = save->grab().toImage();
        QCOMPARE(framed.pixelColor(framed.width() / 2, 0).name(), highlight.name());
        QVERIFY(plain.pixelColor(plain.width() / 2, 0).name() != highlight.name());
        // An empty row's number button is not a Tab stop.
        w.model.grid.at(2).number.clear();
        w.view.refresh();
        QVERIFY(!number->pressable());
    }

    void paperSizeButtonsFromTheKeyboard() {
        PaperSetup s;
        s.manuscript.open();
        ManuscriptView view(s.manuscript);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        auto* first = view.findChild<QPushButton*>(QStringLiteral("Command1_0"));
        QVERIFY(first);
        first->setFocus(Qt::TabFocusReason);
        QStringList stops;
        for (int i = 0; i < 5; ++i) {
            stops << spokenName(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(stops.mid(0, 4), QStringList({QStringLiteral("２０×２０"), QStringLiteral("１２×１２"),
                                               QStringLiteral("１４×１４"), QStringLiteral("１６×１６")}));
        auto* last = view.findChild<QPushButton*>(QStringLiteral("Command1_3"));
        const QImage without = last->grab().toImage();
        last->setFocus(Qt::TabFocusReason);
        // The focus shows on the coloured button: a frame in the highlight colour.
        const QImage with = last->grab().toImage();
        QVERIFY(with != without);
        QCOMPARE(with.pixelColor(with.width() / 2, 1).name(),
                 last->palette().color(QPalette::Highlight).name());
        QVERIFY(without.pixelColor(without.width() / 2, 1).name() !=
                last->palette().color(QPalette::Highlight).name());
        QTest::keyClick(last, Qt::Key_Space);
        QCOMPARE(s.printed.ofKind(RecordingSurface::Kind::EndDocument).size(), size_t(1));
        QStringList faults = faultsOf(&view);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }
};

QTEST_MAIN(AccessibleNamesTest)
#include "accessible_names_test.moc"
