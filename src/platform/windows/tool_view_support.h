// Small helpers the views of the maintenance tools and help windows share: widgets named
// by their design names, labels and buttons whose texts screen readers and tools see.
#pragma once

#include <QColor>
#include <QLabel>
#include <QPushButton>
#include <QString>

#include "windows/accessible_names.h"

namespace toolview {

// 0xBBGGRR to a colour.
inline QColor bgr(int value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// A widget with the window design's name; a screen reader names it by `name`, or by the
// text it shows when there is none.
template <typename W>
W* named(W* w, const QString& designName, const QString& name = {}) {
    w->setObjectName(designName);
    if (name.isEmpty())
        accessible::nameByText(w, designName);
    else
        accessible::nameByPurpose(w, designName, name);
    return w;
}

// Label texts keep CR LF as the design writes them; a label shows a line break for it.
inline QString shownText(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

// A label's text (with design names, also its accessible description).
inline void setLabelText(QLabel* l, const QString& text) {
    const QString t = shownText(text);
    if (l->text() != t) l->setText(t);
    accessible::setShownText(l, t);
}

inline void setButtonCaption(QPushButton* b, const QString& caption) {
    if (b->text() != caption) b->setText(caption);
    accessible::setShownText(b, caption);
}

}  // namespace toolview
