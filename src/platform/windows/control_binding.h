// Small helpers the window views share to bind widgets to a model's control state: design
// names, the texts screen readers and tools see, 0xBBGGRR colours, and changes written only
// when they differ (with signals blocked).
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QString>
#include <QWidget>

#include "windows/accessible_names.h"
#include "windows/keyboard_access.h"

namespace binding {

inline QColor colorOf(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

// "Command1(0)" as the design name, "Command1_0" as the object name; a screen reader names
// the widget by `name`, or by the text it shows when there is none.
inline void name(QWidget* w, const QString& designName, const QString& name = {}) {
    if (name.isEmpty())
        accessible::nameByText(w, designName);
    else
        accessible::nameByPurpose(w, designName, name);
    QString object = designName;
    object.replace(u'(', u'_').remove(u')');
    w->setObjectName(object);
}

// Background (and text) colour from the model; -1 keeps the desktop's colour.
inline void setColors(QWidget* w, int backBgr, int foreBgr = -1) {
    QString style;
    if (backBgr >= 0) style += QStringLiteral("background-color: %1;").arg(colorOf(backBgr).name());
    if (foreBgr >= 0) style += QStringLiteral("color: %1;").arg(colorOf(foreBgr).name());
    if (qobject_cast<QPushButton*>(w)) style = coloredButtonStyle(style);
    if (w->styleSheet() != style) w->setStyleSheet(style);
}

inline void setText(QLabel* l, const QString& text) {
    if (l->text() != text) l->setText(text);
    accessible::setShownText(l, text);
}
inline void setText(QAbstractButton* b, const QString& text) {
    if (b->text() != text) b->setText(text);
    accessible::setShownText(b, text);
}
inline void setTitle(QGroupBox* g, const QString& title) {
    if (g->title() != title) g->setTitle(title);
    accessible::setShownText(g, title);
}
inline void setText(QLineEdit* e, const QString& text) {
    if (e->text() == text) return;
    const QSignalBlocker block(e);
    e->setText(text);
}
inline void setChecked(QAbstractButton* b, bool on) {
    if (b->isChecked() == on) return;
    const QSignalBlocker block(b);
    b->setChecked(on);
}
inline void setVisible(QWidget* w, bool on) {
    // A widget of a hidden window reports itself hidden: compare what was asked for.
    if (w->isHidden() == !on) return;
    w->setVisible(on);
}
inline void setToolTip(QWidget* w, const QString& tip) {
    if (w->toolTip() != tip) w->setToolTip(tip);
}

}  // namespace binding
