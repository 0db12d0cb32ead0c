// The Windows face names problem files carry, mapped to the installed Japanese faces.
#pragma once

#include <QString>

// The family to draw a face name with: "ＭＳ Ｐ明朝" IPAPMincho, "ＭＳ 明朝" IPAMincho,
// "ＭＳ Ｐゴシック" IPAPGothic, "ＭＳ ゴシック" IPAGothic; an installed face that writes
// Japanese is taken as it is; anything else falls back to a Japanese mincho (never to a face
// without kana). A leading "@" (vertical face) is ignored here.
QString resolveFontFamily(const QString& faceName);
