// The models keep colours as 0xBBGGRR numbers, as the settings files and the problem files
// write them; Qt wants a QColor.
#pragma once

#include <QColor>

inline QColor colorFromBgr(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

inline int bgrFromColor(const QColor& c) {
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}
