// The helpers every view uses to bind its widgets to a model's control state: design names,
// the texts screen readers and tools see, 0xBBGGRR colours, and changes written only when
// they differ (with signals blocked).
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

#include "core/windows/control_state.h"
#include "platform/windows/accessible_names.h"
#include "platform/windows/keyboard_access.h"
#include "render/bgr_color.h"

namespace binding {

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
// The same, handing the widget back: `auto* b = named(new QPushButton(this), "Command1")`.
template <typename W>
W* named(W* w, const QString& designName, const QString& accessibleName = {}) {
    name(w, designName, accessibleName);
    return w;
}

// Background (and text) colour from the model; -1 keeps the desktop's colour.
inline void setColors(QWidget* w, int backBgr, int foreBgr = -1) {
    QString style;
    if (backBgr >= 0) style += QStringLiteral("background-color: %1;").arg(colorFromBgr(backBgr).name());
    if (foreBgr >= 0) style += QStringLiteral("color: %1;").arg(colorFromBgr(foreBgr).name());
    if (qobject_cast<QPushButton*>(w)) style = coloredButtonStyle(style);
    if (w->styleSheet() != style) w->setStyleSheet(style);
}

// A label's text; CR LF, as the window designs write line breaks, is shown as one break.
// With design names it is mirrored into the accessible description, where test tools read
// it (a named label exposes no text of its own).
inline void setText(QLabel* l, const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (l->text() != shown) l->setText(shown);
    accessible::setShownText(l, shown);
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
inline void setEnabled(QWidget* w, bool on) {
    if (w->isEnabled() != on) w->setEnabled(on);
}
// A button as its model keeps it: caption, tooltip, enabled, shown, colour.
inline void setButton(QPushButton* b, const ButtonControl& m) {
    setText(b, m.caption);
    setToolTip(b, m.tooltip);
    setEnabled(b, m.enabled);
    setVisible(b, m.visible);
    setColors(b, m.backColor);
}

}  // namespace binding
