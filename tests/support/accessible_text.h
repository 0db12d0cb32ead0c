// What assistive technology reads from a widget: the texts of Qt's accessibility interface,
// as they go out over AT-SPI.
#pragma once

#include <QAccessible>
#include <QObject>
#include <QString>

inline QString spokenText(QObject* o, QAccessible::Text t) {
    QAccessibleInterface* i = o ? QAccessible::queryAccessibleInterface(o) : nullptr;
    return i ? i->text(t) : QStringLiteral("<no accessible interface>");
}
inline QString spokenName(QObject* o) {
    return spokenText(o, QAccessible::Name);
}
inline QString spokenDescription(QObject* o) {
    return spokenText(o, QAccessible::Description);
}
inline QAccessible::Role spokenRole(QObject* o) {
    QAccessibleInterface* i = o ? QAccessible::queryAccessibleInterface(o) : nullptr;
    return i ? i->role() : QAccessible::NoRole;
}
