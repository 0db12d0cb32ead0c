#include "platform/windows/keyboard_access.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>

namespace {

bool activationKey(const QKeyEvent* e) {
    const bool key = e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter ||
                     e->key() == Qt::Key_Select;
    return key && !e->isAutoRepeat() && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// A pressable label is a push button to a screen reader, named by its text unless it has a
// name of its own, with the press action; one that is not pressable stays a label.
class PressableLabelAccessible : public QAccessibleWidget {
public:
    explicit PressableLabelAccessible(PressableLabel* l) : QAccessibleWidget(l, QAccessible::StaticText) {}

    QAccessible::Role role() const override {
        return label()->pressable() ? QAccessible::Button : QAccessible::StaticText;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return label()->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << pressAction(); }
    void doAction(const QString& action) override {
        if (action == pressAction())
            label()->press();
        else
            QAccessibleWidget::doAction(action);
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        if (action == pressAction() && label()->pressable()) return {QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    PressableLabel* label() const { return static_cast<PressableLabel*>(widget()); }
};

QAccessibleInterface* pressableLabelFactory(const QString&, QObject* object) {
    if (auto* l = qobject_cast<PressableLabel*>(object)) return new PressableLabelAccessible(l);
    return nullptr;
}

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(pressableLabelFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

}  // namespace

PressableLabel::PressableLabel(QWidget* parent) : QLabel(parent) {
    installAccessibility();
}

PressableLabel::PressableLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    installAccessibility();
}

void PressableLabel::setPressable(bool on) {
    const Qt::FocusPolicy policy = on ? Qt::TabFocus : Qt::NoFocus;
    if (focusPolicy() == policy) return;
    if (!on && hasFocus()) focusNextChild();
    setFocusPolicy(policy);
}

void PressableLabel::mousePressEvent(QMouseEvent* e) {
    QLabel::mousePressEvent(e);
    emit clicked();
}

void PressableLabel::keyPressEvent(QKeyEvent* e) {
    if (pressable() && activationKey(e)) {
        e->accept();
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(e);
}

void PressableLabel::paintEvent(QPaintEvent* e) {
    QLabel::paintEvent(e);
    if (!hasFocus()) return;
    // The focus mark: a thick frame in the highlight colour with a white line inside, seen on
    // any background the label may have.
    QPainter p(this);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(palette().color(QPalette::Highlight), 3));
    p.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
    p.setPen(QPen(Qt::white, 1));
    p.drawRect(QRectF(rect()).adjusted(3.5, 3.5, -3.5, -3.5));
}

namespace {

class PickOnKeys : public QObject {
public:
    PickOnKeys(QListWidget* list, std::function<void(QListWidgetItem*)> pick)
        : QObject(list), list_(list), pick_(std::move(pick)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched == list_ && e->type() == QEvent::KeyPress && activationKey(static_cast<QKeyEvent*>(e))) {
            if (QListWidgetItem* item = list_->currentItem(); item && list_->isEnabled()) {
                pick_(item);
                return true;
            }
        }
        return QObject::eventFilter(watched, e);
    }

private:
    QListWidget* list_;
    std::function<void(QListWidgetItem*)> pick_;
};

}  // namespace

QString coloredButtonStyle(const QString& declarations) {
    if (declarations.isEmpty()) return {};
    return QStringLiteral(
               "QPushButton{%1}QPushButton:focus{%1border:3px solid palette(highlight);"
               "border-radius:3px;padding:2px;}")
        .arg(declarations);
}

void pickOnKeys(QListWidget* list, std::function<void(QListWidgetItem*)> pick) {
    list->installEventFilter(new PickOnKeys(list, std::move(pick)));
}
