// The state of the plain controls of the maintenance tools and help windows: what a view
// shows, held as data so the models can be tested without widgets. Colours are 0xBBGGRR,
// -1 for the window's own colour.
#pragma once

#include <QString>

namespace controls {

inline constexpr int kDefaultColor = -1;
inline constexpr int kRed = 0x0000FF;

struct Label {
    QString caption;
    int foreColor = kDefaultColor;
    bool visible = true;
};

struct Button {
    QString caption;
    bool visible = true;
    bool enabled = true;
};

// A text box; the selection counts UTF-16 units from the start of the text.
struct TextBox {
    QString text;
    qsizetype selStart = 0;
    qsizetype selLength = 0;
    QString fontName;
    double fontSize = 9;
    bool visible = true;
    bool enabled = true;
    bool passwordChar = false;  // input shown as "*"
};

struct OptionButton {
    QString caption;
    bool value = false;
};

}  // namespace controls
