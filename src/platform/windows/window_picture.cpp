#include "windows/window_picture.h"

#include <QAction>
#include <QLayout>
#include <QToolBar>
#include <QWidget>

WindowPicture toolbarPicture(const QToolBar& source) {
    QToolBar copy;
    copy.setAttribute(Qt::WA_DontShowOnScreen);
    copy.setIconSize(source.iconSize());
    copy.setToolButtonStyle(source.toolButtonStyle());
    copy.setFont(source.font());
    copy.setPalette(source.palette());
    copy.setStyleSheet(source.styleSheet());
    copy.setMovable(false);
    for (QAction* a : source.actions()) {
        if (a->isSeparator()) {
            copy.addSeparator();
            continue;
        }
        QAction* c = copy.addAction(a->icon(), a->text());
        c->setObjectName(a->objectName());
        c->setToolTip(a->toolTip());
    }
    copy.show();
    copy.resize(copy.sizeHint());
    if (copy.layout()) copy.layout()->activate();

    WindowPicture picture;
    for (QAction* c : copy.actions()) {
        if (c->objectName().isEmpty()) continue;
        if (QWidget* w = copy.widgetForAction(c); w && w->isVisible())
            picture.places.insert(c->objectName(), w->geometry());
    }
    picture.pixmap = copy.grab();
    return picture;
}

WindowPicture widgetPicture(QWidget& window) {
    WindowPicture picture;
    auto place = [&](const QString& name, QWidget* w) {
        if (name.isEmpty() || picture.places.contains(name) || !w->isVisibleTo(&window)) return;
        picture.places.insert(name, QRect(w->mapTo(&window, QPoint(0, 0)), w->size()));
    };
    for (QWidget* w : window.findChildren<QWidget*>()) place(w->objectName(), w);
    for (QAction* a : window.findChildren<QAction*>()) {
        for (QObject* o : a->associatedObjects()) {
            auto* w = qobject_cast<QWidget*>(o);
            // Menus and toolbars hold actions too; only the button standing for it counts.
            if (w && window.isAncestorOf(w) && !w->inherits("QMenu") && !w->inherits("QMenuBar") &&
                !w->inherits("QToolBar"))
                place(a->objectName(), w);
        }
    }
    picture.pixmap = window.grab();
    return picture;
}

WindowPicture cropPicture(const WindowPicture& picture, const QRect& rect) {
    WindowPicture out;
    const qreal ratio = picture.pixmap.devicePixelRatio();
    const QRect inside =
        rect.intersected(QRect(QPoint(0, 0), picture.pixmap.deviceIndependentSize().toSize()));
    out.pixmap = picture.pixmap.copy(QRect(inside.topLeft() * ratio, inside.size() * ratio));
    out.pixmap.setDevicePixelRatio(ratio);
    for (auto it = picture.places.begin(); it != picture.places.end(); ++it)
        if (inside.intersects(it.value()))
            out.places.insert(it.key(), it.value().translated(-inside.topLeft()));
    return out;
}
