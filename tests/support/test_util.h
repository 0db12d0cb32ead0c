// Small helpers shared by the model tests.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <QStringList>

#include "core/data/text_codec.h"

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

inline void writeCp932(const QString& path, const QString& text) {
    auto bytes = textcodec::encodeCp932(text);
    ASSERT_TRUE(bytes.has_value());
    writeBytes(path, *bytes);
}

inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

inline QString readCp932(const QString& path) {
    return textcodec::decodeCp932(readBytes(path)).value_or(QStringLiteral("<undecodable>"));
}

// A .mojx page line: heading, the first words of the rows given, font, field 43, second words.
inline QString mojxLine(const QString& heading, const QStringList& firstWords,
                        const QString& font = QStringLiteral("ＭＳ Ｐ明朝"), const QString& carried = {},
                        const QStringList& secondWords = {}) {
    QStringList f;
    f << heading << QString();
    for (int i = 0; i < 40; ++i) f << firstWords.value(i);
    f << font << carried;
    for (int i = 0; i < 30; ++i) f << secondWords.value(i);
    return f.join(u',');
}
