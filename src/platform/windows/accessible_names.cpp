#include "platform/windows/accessible_names.h"

#include <QWidget>
#include <optional>

namespace accessible {

namespace {

std::optional<bool>& overridden() {
    static std::optional<bool> on;
    return on;
}

void setName(QWidget* w, const QString& name) {
    if (w->accessibleName() != name) w->setAccessibleName(name);
}
void setDescription(QWidget* w, const QString& text) {
    if (w->accessibleDescription() != text) w->setAccessibleDescription(text);
}

}  // namespace

bool designNames() {
    if (overridden()) return *overridden();
    static const bool on = qEnvironmentVariableIntValue("JIRAKUBO_ACCESSIBLE_IDS") == 1;
    return on;
}

void setDesignNames(bool on) {
    overridden() = on;
}

QString partName(int column) {
    // Column codes 2..8, as the grid numbers them.
    static const char16_t* const parts[9] = {u"",       u"",      u"前の文", u"漢字",   u"よみ",
                                             u"後の文", u"漢字2", u"よみ2",  u"後の文2"};
    if (column < 0 || column > 8) return {};
    return QString::fromUtf16(parts[column]);
}

QString placeName(int row, int column) {
    return QStringLiteral("%1行目 %2").arg(row).arg(partName(column));
}

QString cellName(int row, int column, const QString& text) {
    const QString place = placeName(row, column);
    return text.isEmpty() ? place : place + u' ' + text;
}

QString numberButtonName(int row) {
    return QStringLiteral("%1行目をメモリーへ").arg(row);
}

QString secondWordName(int row) {
    return QStringLiteral("%1行目 漢字をもう一つ").arg(row);
}

void nameByText(QWidget* w, const QString& designName) {
    // Without a name of its own, Qt names a label, button or frame by its text and follows
    // every change of it.
    if (designNames())
        setName(w, designName);
    else
        setName(w, QString());
}

void nameByPurpose(QWidget* w, const QString& designName, const QString& name) {
    if (designNames()) {
        if (!designName.isEmpty()) setName(w, designName);
    } else {
        setName(w, name);
    }
}

void rename(QWidget* w, const QString& name) {
    if (!designNames()) setName(w, name);
}

void setShownText(QWidget* w, const QString& text) {
    if (designNames()) setDescription(w, text);
}

void describe(QWidget* w, const QString& text) {
    if (!designNames()) setDescription(w, text);
}

}  // namespace accessible
