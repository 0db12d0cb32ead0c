#include "render/font_mapping.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

namespace {

bool writesJapanese(const QString& family) {
    return QFontDatabase::hasFamily(family) &&
           QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese);
}

QString japaneseMincho() {
    static const QString found = [] {
        for (const char* f : {"IPAMincho", "IPAPMincho", "IPAexMincho", "Noto Serif CJK JP",
                              "Source Han Serif JP", "TakaoMincho"})
            if (writesJapanese(QString::fromLatin1(f))) return QString::fromLatin1(f);
        for (const QString& f : QFontDatabase::families(QFontDatabase::Japanese)) return f;
        return QStringLiteral("IPAMincho");
    }();
    return found;
}

QString resolveUncached(const QString& faceName) {
    static const QHash<QString, QString> windowsFaces{
        {QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho")},
        {QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho")},
        {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")},
        {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic")},
        {QStringLiteral("MS PMincho"), QStringLiteral("IPAPMincho")},
        {QStringLiteral("MS Mincho"), QStringLiteral("IPAMincho")},
        {QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic")},
        {QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic")},
    };
    QString name = faceName.trimmed();
    if (name.startsWith(QLatin1Char('@'))) name.remove(0, 1);
    const QString mapped = windowsFaces.value(name);
    if (!mapped.isEmpty()) return writesJapanese(mapped) ? mapped : japaneseMincho();
    if (!name.isEmpty() && writesJapanese(name)) return name;
    return japaneseMincho();
}

}  // namespace

QString resolveFontFamily(const QString& faceName) {
    // Asking the font database goes through fontconfig each time; a sheet asks again at every
    // change of font size. The installed faces do not change during a run.
    static QHash<QString, QString> resolved;
    auto it = resolved.constFind(faceName);
    if (it == resolved.constEnd()) it = resolved.insert(faceName, resolveUncached(faceName));
    return *it;
}
