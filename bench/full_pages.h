// Workbooks the benchmarks read, write and import: every page full, ten problems with second
// words.
#pragma once

#include <QString>
#include <QStringList>

#include "core/data/workbook.h"

// The file lines of `pages` full pages; `before` is each problem's text before its word.
inline QStringList fullPageLines(int pages, const QString& before) {
    QStringList lines;
    for (int p = 0; p < pages; ++p) {
        PageRecord rec;
        rec[0] = QStringLiteral("第%1課 かん字のれんしゅう").arg(p + 1);
        for (int r = 1; r <= 10; ++r) {
            rec[slotFieldIndex(r, SlotField::Before)] = before;
            rec[slotFieldIndex(r, SlotField::Kanji)] = QStringLiteral("学校");
            rec[slotFieldIndex(r, SlotField::Reading)] = QStringLiteral("がっこう");
            rec[slotFieldIndex(r, SlotField::After)] = QStringLiteral("で");
            rec[slotFieldIndex(r, SlotField::Kanji2)] = QStringLiteral("先生");
            rec[slotFieldIndex(r, SlotField::Reading2)] = QStringLiteral("せんせい");
            rec[slotFieldIndex(r, SlotField::After2)] = QStringLiteral("とはなした。");
        }
        lines << pageLine(rec, QStringLiteral("ＭＳ Ｐ明朝"));
    }
    return lines;
}
