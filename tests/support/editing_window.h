// The main window as the desktop program builds it (model, Qt platform, view), with the
// platform's dialogs scripted, for the editing widget tests.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextCharFormat>
#include <QToolBar>
#include <QtTest>
#include <deque>

#include "core/windows/main/main_window.h"
#include "platform/main_window_view.h"
#include "platform/qt_platform.h"
#include "scripted_answers.h"

// QtPlatform with message boxes and file dialogs answered from queues; everything else is
// the real thing (the reading tracker above all).
class ScriptedPlatform : public QtPlatform, public ScriptedAnswers {
public:
    std::deque<std::optional<QString>> openPaths, savePaths;  // default: cancelled
    int beeps = 0;
    QString cwd;

    MessageAnswer messageBox(const QString& text, const QString& title, MessageButtons buttons,
                             MessageIcon icon) override {
        return answer(text, title, buttons, icon);
    }
    std::optional<QString> showOpen(const QString&, int, const QString&) override { return take(openPaths); }
    std::optional<QString> showSave(const QString&, int, const QString&) override { return take(savePaths); }
    void beep() override { ++beeps; }
    QString currentDirectory() override { return cwd; }
    QString configDirectory() override { return cwd; }

private:
    static std::optional<QString> take(std::deque<std::optional<QString>>& q) {
        if (q.empty()) return std::nullopt;
        auto v = q.front();
        q.pop_front();
        return v;
    }
};

struct EditingWindow {
    QTemporaryDir dir;
    ScriptedPlatform platform;
    Workbook workbook;
    MainWindow model{platform, workbook};
    MainWindowView view{model, platform};

    EditingWindow() {
        platform.cwd = dir.path();  // the settings file goes here
        model.startUp();
        // Wide enough for the whole menu bar, which at the window's own width hides its last
        // menus behind the extension button.
        view.resize(view.size().expandedTo(QSize(1100, 0)));
        view.show();
        view.activateWindow();
    }

    template <typename T = QLabel>
    T* widget(const QString& name) const {
        return view.findChild<T*>(name);
    }
    ClickLabel* cell(int r, int c) const { return view.cellLabel(r, c); }
    EntryBox* entry() const { return view.entryBox(); }
    QString workNumber() const { return widget<QLabel>(QStringLiteral("Label6"))->text(); }

    // A menu item chosen with the mouse: its menu bar title, then the item (and its submenu).
    bool chooseMenu(const QString& name) {
        QList<QAction*> path;
        for (const MenuItem* m = model.menu(name); m;
             m = m->parent.isEmpty() ? nullptr : model.menu(m->parent)) {
            if (!view.menuAction(m->name)) return false;
            path.prepend(view.menuAction(m->name));
        }
        if (path.size() < 2) return false;
        QMenuBar* bar = view.menuBar();
        // Titles that do not fit the bar go behind its extension button: they are not clicked.
        const QRect title = bar->actionGeometry(path[0]);
        if (title.isEmpty() || !bar->rect().contains(title)) return false;
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(path[0]).center());
        for (int i = 1; i < path.size(); ++i) {
            QMenu* menu = path[i - 1]->menu();
            // A submenu opens after the short delay of its item.
            if (!menu || !QTest::qWaitFor([menu] { return menu->isVisible(); }) ||
                !QTest::qWaitForWindowExposed(menu))
                return false;
            if (path[i]->menu()) QTest::mouseMove(menu, menu->actionGeometry(path[i]).center());
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(path[i]).center());
        }
        return true;
    }
    void clickToolbar(int index) {
        auto* bar = view.findChild<QToolBar*>(QStringLiteral("Toolbar1"));
        QTest::mouseClick(bar->widgetForAction(view.toolbarAction(index)), Qt::LeftButton);
    }
    void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
    // Characters as the keyboard sends them without an input method.
    static void type(QWidget* w, const QString& text) {
        for (QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
    void type(const QString& text) { type(entry(), text); }
    void key(Qt::Key k) { QTest::keyClick(entry(), k); }

    // A workbook with one registered page "れんしゅう": 新規作成 and the register button.
    bool startWorkbook() {
        if (!chooseMenu(QStringLiteral("np"))) return false;
        click(view.registerButton());
        return model.entry.enabled;
    }

    // An input method event with one preedit segment, as ibus and fcitx deliver them:
    // underlined while being typed, with a background once converted.
    void preedit(const QString& text, bool converted = false, const QString& commit = {}) {
        QTextCharFormat f;
        f.setFontUnderline(true);
        if (converted) f.setBackground(QColor(0x33, 0x66, 0xcc));
        QList<QInputMethodEvent::Attribute> attrs;
        if (!text.isEmpty())
            attrs << QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, 0, text.size(), f);
        QInputMethodEvent e(text, attrs);
        if (!commit.isEmpty()) e.setCommitString(commit);
        QApplication::sendEvent(entry(), &e);
    }
    void commit(const QString& text) { preedit(QString(), false, text); }
};

// The background colour a widget was given ("#rrggbb"), empty when none.
inline QString backOf(const QWidget* w) {
    static const QRegularExpression re(QStringLiteral("background-color:(#[0-9a-f]{6})"));
    const auto m = re.match(w->styleSheet());
    return m.hasMatch() ? m.captured(1) : QString();
}
inline bool hasBorder(const QWidget* w) {
    return w->styleSheet().contains(QStringLiteral("border:1px solid"));
}
