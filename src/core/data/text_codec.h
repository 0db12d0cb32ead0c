// Code page 932 (Windows-31J) to and from QString, and the kana widening used for readings.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace textcodec {

// Decodes code page 932 bytes. A byte sequence that is not valid code page 932 gives
// std::nullopt and, when byteOffset is given, the offset of the first bad byte.
std::optional<QString> decodeCp932(const QByteArray& bytes, qsizetype* byteOffset = nullptr);

// Encodes to code page 932. Characters that code page 932 cannot hold make the result
// std::nullopt; they are listed once each, in order of appearance, in unencodable.
std::optional<QByteArray> encodeCp932(const QString& text, QString* unencodable = nullptr);

// The characters of text that code page 932 cannot hold, each once, in order.
QString unencodableCharacters(const QString& text);

// Half-width to full-width (ｶﾞ becomes ガ, ASCII becomes full-width) and katakana to
// hiragana; characters without a hiragana counterpart (ー) stay as they are.
QString widenToHiragana(const QString& text);

// The first byte of bytes that is not part of UTF-8 text (overlong forms and surrogates are
// not); -1 when all of it is.
qsizetype firstBadUtf8Byte(const QByteArray& bytes);

}  // namespace textcodec
