// Small helpers every view uses to bind widgets to model state.
#pragma once

#include <QColor>
#include <QLabel>

#include "windows/accessible_names.h"

// A model colour, 0xBBGGRR.
inline QColor qColorFromBgr(int v) {
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

// A label's text; with design names it is mirrored into the accessible description, where
// test tools read it (a named label exposes no text of its own).
inline void setLabelText(QLabel* l, const QString& text) {
    if (l->text() != text) l->setText(text);
    accessible::setShownText(l, text);
}
