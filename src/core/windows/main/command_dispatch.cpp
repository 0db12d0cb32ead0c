// From each toolbar button and menu item to the command it runs (the table is commands.cpp),
// and the small helpers of the status captions.
#include "core/windows/main/command_dispatch.h"

#include <QDir>
#include <QFileInfo>

#include "core/data/problem_files.h"
#include "core/data/reading_proposer.h"
#include "core/data/settings.h"
#include "core/windows/main/commands.h"
#include "core/windows/main/main_window.h"
#include "core/windows/main/print_commands.h"

QString fullWidthDigits(int n) {
    QString s = QString::number(n);
    for (QChar& c : s)
        if (c.isDigit()) c = QChar(0xFF10 + c.digitValue());
    return s;
}

QString editingStatusCaption(int limit) {
    return QStringLiteral("　編集中（文字制限") + fullWidthDigits(limit) + QStringLiteral("字）");
}

void MainWindow::onToolbarClick(int index) {
    Action action(*this);
    if (index < 1 || index > kLastToolbarButton) return;
    const ToolButton& b = toolbar[static_cast<size_t>(index)];
    const Command* c = toolbarCommand(index);
    if (!c || b.separator || !b.enabled || !b.visible) return;
    runCommand(*c);
}

void MainWindow::onMenu(const QString& name) {
    Action action(*this);
    const MenuItem* m = menu(name);
    const Command* c = menuCommand(name);
    if (!m || !c || m->separator || !m->enabled) return;
    for (const MenuItem& child : menus)
        if (child.parent == name) return;  // a submenu opens, it runs nothing
    runCommand(*c);
}

void MainWindow::runCommand(const Command& c) {
    const QString id = QString::fromUtf8(c.id);
    nameStep(QString::fromUtf8(*c.caption ? c.caption : c.tooltip));
    if (*c.group)
        checkItem(id);
    else if (c.checkable)
        setChecked(id, !checked(id));
    if (c.handler)
        c.handler(*this);
    else
        notAvailable(QString::fromUtf8(*c.caption ? c.caption : c.tooltip));
}
