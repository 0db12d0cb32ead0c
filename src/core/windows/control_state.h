// The state of a window's controls as the window models keep it. Colours are 0xBBGGRR;
// -1 means the desktop's own colour. Positions and sizes are twips.
#pragma once

#include <QString>
#include <QStringList>

inline constexpr int kDefaultColor = -1;

struct ButtonControl {
    QString caption;
    int backColor = kDefaultColor;
    bool visible = true;
    bool enabled = true;
    QString tooltip;
};

// An option (radio) button; the model keeps exactly one of each group checked.
struct OptionControl {
    QString caption;
    bool checked = false;
    bool enabled = true;
};

struct FrameControl {
    QString caption;
    QString tooltip;
};

struct LabelControl {
    QString caption;
    int backColor = kDefaultColor;
    int foreColor = kDefaultColor;
    bool visible = true;
    QString tooltip;
    QString fontName;  // empty: the window's font
    int left = 0, top = 0, width = 0, height = 0;
};

struct TextControl {
    QString text;
    QString tooltip;
    bool enabled = true;
};

struct ComboControl {
    QString text;
    QStringList items;
};

struct SliderControl {
    int value = 0;
    int min = 0, max = 10;
    int smallChange = 1, largeChange = 1;
    bool vertical = false;
};
