// The tracing colour window "色設定": four shades for the tracing copies.
#pragma once

#include <array>

struct TracingColorWindow {
    static constexpr const char* kName = "色設定";
    // From light to dark; the last is the desktop's button-text colour (black).
    static constexpr std::array<int, 4> kColors{14737632, 12632256, 8421504, 0};
    static constexpr std::array<const char*, 4> kCaptions{"淡い", "やや淡い", "やや濃い", "濃い"};

    bool visible = false;
    int choice = -1;       // the option chosen while the window is open, -1 none
    int sampleColor = 14737632;
};
