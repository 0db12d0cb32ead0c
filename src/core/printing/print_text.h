// Character classes the surfaces share.
#pragma once

// Full-width (zenkaku) characters take a whole em and stand upright in vertical writing:
// everything from General Punctuation on, except the half-width katakana and half-width
// symbol forms. ASCII, Latin and the like are half-width.
constexpr bool isFullWidthChar(char32_t c) {
    if (c < 0x2000) return false;
    if (c >= 0xFF61 && c <= 0xFFDC) return false;
    if (c >= 0xFFE8 && c <= 0xFFEE) return false;
    return true;
}
