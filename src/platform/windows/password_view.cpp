#include "platform/windows/password_view.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/windows/control_binding.h"
#include "render/font_mapping.h"

using binding::named;

PasswordView::PasswordView(PasswordWindow& model, QWidget* parent)
    : WindowView(model, parent), model_(model) {
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("frmSplash"));

    label1_ = named(new QLabel(this), QStringLiteral("Label1"));
    label1_->setWordWrap(true);
    text1_ = named(new QLineEdit(this), QStringLiteral("Text1"), QStringLiteral("パスワード"));
    text1_->setFont(QFont(resolveFontFamily(model_.text1.fontName)));
    command1_ = named(new QPushButton(this), QStringLiteral("Command1"));
    command1_->setDefault(true);

    connect(text1_, &QLineEdit::textEdited, this,
            [this](const QString& t) { send([&] { model_.onText1Changed(t); }); });
    auto ok = [this] { send([&] { model_.onCommand1(); }); };
    connect(command1_, &QPushButton::clicked, this, ok);
    connect(text1_, &QLineEdit::returnPressed, this, ok);

    auto* row = new QHBoxLayout;
    row->addWidget(text1_, 1);
    row->addWidget(command1_);
    row->addWidget(makeCloseButton());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1_);
    layout->addLayout(row);
    setFixedWidth(380);
    refresh();
}

void PasswordView::showModel() {
    binding::setText(label1_, model_.label1.caption);
    QPalette p = label1_->palette();
    const QColor color = model_.label1.foreColor == kDefaultColor ? palette().color(QPalette::WindowText)
                                                                  : colorFromBgr(model_.label1.foreColor);
    if (p.color(QPalette::WindowText) != color) {
        p.setColor(QPalette::WindowText, color);
        label1_->setPalette(p);
    }
    text1_->setEchoMode(model_.text1.passwordChar ? QLineEdit::Password : QLineEdit::Normal);
    if (text1_->text() != model_.text1.text) text1_->setText(model_.text1.text);
    binding::setText(command1_, model_.command1.caption);
}
