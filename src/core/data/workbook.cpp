#include "core/data/workbook.h"

#include "core/data/field_stream.h"

int pageIndexFromNumber(const QString& rowOneNumber) {
    const QString t = rowOneNumber.trimmed();
    if (t.size() <= 1) return 0;
    return t.left(t.size() - 1).toInt();
}

QString pageNumberText(int pageIndex) {
    return u' ' + QString::number(pageIndex + 1) + u'頁';
}

QString pageLine(const PageRecord& record, const QString& fontName) {
    QStringList fields;
    fields.reserve(kMojxFields);
    for (int i = 0; i < kMojxFields; ++i) {
        if (i == 1)
            fields << QString();
        else if (i == kFontField)
            fields << fontName;
        else
            fields << record[static_cast<size_t>(i)];
    }
    return joinFields(fields);
}
