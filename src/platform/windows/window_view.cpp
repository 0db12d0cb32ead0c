#include "platform/windows/window_view.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace {

// A window of its own is a window (or a dialog) to a screen reader; Qt would call a plain
// widget a pane.
class WindowViewAccessible : public QAccessibleWidget {
public:
    explicit WindowViewAccessible(WindowView* w) : QAccessibleWidget(w, QAccessible::Window) {}
    QAccessible::Role role() const override {
        if (!widget()->isWindow()) return QAccessible::Client;
        return widget()->windowType() == Qt::Dialog ? QAccessible::Dialog : QAccessible::Window;
    }
};

QAccessibleInterface* windowViewFactory(const QString&, QObject* object) {
    if (auto* v = qobject_cast<WindowView*>(object)) return new WindowViewAccessible(v);
    return nullptr;
}

}  // namespace

WindowView::WindowView(WindowModel& model, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), windowModel_(model) {
    static const bool installed = [] {
        QAccessible::installFactory(windowViewFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void WindowView::refresh() {
    // The window is announced by its title.
    if (const QString title = windowModel_.title(); windowTitle() != title) {
        setWindowTitle(title);
        setAccessibleName(title);
    }
    showModel();
    emit refreshed();
}

void WindowView::send(const std::function<void()>& event) {
    const QPointer<WindowView> self(this);
    if (door) {
        door(event);
    } else {
        event();
        if (self) refresh();
    }
    // A window its model closed goes. The main window's view closes it as it repaints; a view
    // shown on its own closes here.
    if (self && !windowModel_.isOpen() && isVisible()) closeFromModel();
}

void WindowView::closeEvent(QCloseEvent* e) {
    // A window the model has closed is going already.
    if (closingFromModel_ || !windowModel_.isOpen()) {
        e->accept();
        return;
    }
    bool closes = true;
    send([&] { closes = windowModel_.closeBoxClicked(); });
    if (closes)
        e->accept();
    else
        e->ignore();
}

void WindowView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        e->accept();
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

QPushButton* WindowView::makeCloseButton() {
    auto* b = new QPushButton(QStringLiteral("閉じる"), this);
    b->setObjectName(QStringLiteral("closeButton"));
    b->setAccessibleName(QStringLiteral("閉じる"));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this] { close(); });
    return b;
}
