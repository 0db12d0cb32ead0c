// Helpers of the command dispatch shared with the other window parts.
#pragma once

#include <QString>

inline constexpr const char* kMakerWebSite = "https://www.google.com/search?q=%E5%AD%97%E6%A5%BD%E5%9D%8A";

// "１５" for 15.
QString fullWidthDigits(int n);
// "　編集中（文字制限１５字）".
QString editingStatusCaption(int limit);
