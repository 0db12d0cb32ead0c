// Small helpers the views of the maintenance tools and help windows share: named widgets
// whose accessible name is the design name and whose description mirrors their text.
#pragma once

#include <QColor>
#include <QLabel>
#include <QPushButton>
#include <QString>

namespace toolview {

// 0xBBGGRR to a colour.
inline QColor bgr(int value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// A widget named as the window design names it.
template <typename W>
W* named(W* w, const QString& designName) {
    w->setObjectName(designName);
    w->setAccessibleName(designName);
    return w;
}

// Label texts keep CR LF as the design writes them; a label shows a line break for it.
inline QString shownText(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

// A label's text, mirrored into its accessible description (a named label exposes no text).
inline void setLabelText(QLabel* l, const QString& text) {
    const QString t = shownText(text);
    if (l->text() != t) l->setText(t);
    if (l->accessibleDescription() != t) l->setAccessibleDescription(t);
}

inline void setButtonCaption(QPushButton* b, const QString& caption) {
    if (b->text() != caption) b->setText(caption);
    if (b->accessibleDescription() != caption) b->setAccessibleDescription(caption);
}

}  // namespace toolview
