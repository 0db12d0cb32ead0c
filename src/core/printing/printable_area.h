// The printable area of a common printer: 5 mm of the paper it cannot reach on every side.
// The sheets place their texts at fixed pitches that fit such an area and spread their frames
// over the page width and height they are given, so a device without margins of its own (a
// PDF file) takes this area, with coordinates from its top-left corner.
#pragma once

inline constexpr double kUnprintableMm = 5.0;
inline constexpr double kUnprintableTwips = kUnprintableMm * 1440.0 / 25.4;  // 283.46
