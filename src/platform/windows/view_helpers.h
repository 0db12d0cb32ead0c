// Small helpers every view uses to bind widgets to model state.
#pragma once

#include <QColor>
#include <QLabel>

// A model colour, 0xBBGGRR.
inline QColor qColorFromBgr(int v) {
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

// A label's text is mirrored into its accessible description: screen readers and test
// tools read it there, since a named label exposes no text of its own.
inline void setLabelText(QLabel* l, const QString& text) {
    if (l->text() != text) l->setText(text);
    if (l->accessibleDescription() != text) l->setAccessibleDescription(text);
}
