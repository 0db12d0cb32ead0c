// The state of every window's controls as the window models keep it: what a view shows,
// held as data so the models can be tested without widgets. Colours are 0xBBGGRR;
// kDefaultColor means the desktop's own colour. Positions and sizes are twips.
#pragma once

#include <QString>
#include <QStringList>

inline constexpr int kDefaultColor = -1;
inline constexpr int kColorWhite = 0xFFFFFF;
inline constexpr int kColorYellow = 0x00FFFF;
inline constexpr int kColorGreen = 0x00FF00;
inline constexpr int kColorRed = 0x0000FF;

struct ButtonControl {
    QString caption{};
    int backColor = kDefaultColor;
    bool visible = true;
    bool enabled = true;
    QString tooltip{};
};

// An option (radio) button; the model keeps exactly one of each group checked.
struct OptionControl {
    QString caption{};
    bool checked = false;
    bool enabled = true;
};

struct FrameControl {
    QString caption{};
    QString tooltip{};
};

struct LabelControl {
    QString caption{};
    int backColor = kDefaultColor;
    int foreColor = kDefaultColor;
    bool visible = true;
    bool enabled = true;
    QString tooltip{};
    QString fontName{};  // empty: the window's font
    int left = 0, top = 0, width = 0, height = 0;
};

// A text box; the selection counts UTF-16 units from the start of the text.
struct TextControl {
    QString text{};
    QString tooltip{};
    bool enabled = true;
    bool visible = true;
    qsizetype selStart = 0;
    qsizetype selLength = 0;
    QString fontName{};  // empty: the window's font
    double fontSize = 9;
    bool passwordChar = false;  // input shown as "*"
};

// A combo box: the text of its edit field and its list.
struct ComboControl {
    QString text{};
    QStringList items{};
    int backColor = kDefaultColor;
    bool enabled = true;
};

struct SliderControl {
    int value = 0;
    int min = 0, max = 10;
    int smallChange = 1, largeChange = 1;
    bool vertical = false;
};
