// Several texts from one fuzz input: the bytes cut at every 0xFF (a byte no UTF-8 text
// holds), each part read as UTF-8.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

inline QStringList fuzzParts(const uint8_t* data, size_t size, int count) {
    QStringList parts;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    qsizetype from = 0;
    while (parts.size() < count - 1) {
        const qsizetype cut = bytes.indexOf('\xFF', from);
        if (cut < 0) break;
        parts << QString::fromUtf8(bytes.mid(from, cut - from));
        from = cut + 1;
    }
    parts << QString::fromUtf8(bytes.mid(from));
    while (parts.size() < count) parts << QString();
    return parts;
}
