#include "platform/windows/ruled_view.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/windows/ruled/ruled_window.h"
#include "platform/windows/control_binding.h"

RuledView::RuledView(RuledWindow& model, QWidget* parent) : WindowView(model, parent), model_(model) {
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("Form10"));

    auto* layout = new QVBoxLayout(this);
    auto* rows = new QHBoxLayout;
    label1_ = new QLabel(this);
    binding::name(label1_, QStringLiteral("Label1"));
    combo1_ = new QComboBox(this);
    binding::name(combo1_, QStringLiteral("Combo1"), QStringLiteral("行数設定"));
    combo1_->setEditable(true);
    combo1_->setInsertPolicy(QComboBox::NoInsert);
    accessible::nameByPurpose(combo1_->lineEdit(), {}, QStringLiteral("行数設定"));
    // Typed or chosen from the list, the text is the row count.
    connect(combo1_, &QComboBox::editTextChanged, this,
            [this](const QString& t) { send([&] { model_.onCombo1Changed(t); }); });
    label1_->setBuddy(combo1_);  // screen readers read the label with the box
    rows->addWidget(label1_);
    rows->addWidget(combo1_);
    rows->addStretch();
    layout->addLayout(rows);

    frame1_ = new QGroupBox(this);
    binding::name(frame1_, QStringLiteral("Frame1"));
    auto* frameRow = new QHBoxLayout(frame1_);
    option2_ = new QRadioButton(frame1_);
    binding::name(option2_, QStringLiteral("Option2"));
    option1_ = new QRadioButton(frame1_);
    binding::name(option1_, QStringLiteral("Option1"));
    frameRow->addWidget(option2_);
    frameRow->addWidget(option1_);
    connect(option1_, &QRadioButton::clicked, this, [this] { send([&] { model_.onOptionClick(1); }); });
    connect(option2_, &QRadioButton::clicked, this, [this] { send([&] { model_.onOptionClick(2); }); });
    layout->addWidget(frame1_);

    text1_ = new QLineEdit(this);
    binding::name(text1_, QStringLiteral("Text1"), QStringLiteral("タイトル"));
    connect(text1_, &QLineEdit::textEdited, this,
            [this](const QString& t) { send([&] { model_.onText1Changed(t); }); });
    layout->addWidget(text1_);

    command1_ = new QPushButton(this);
    binding::name(command1_, QStringLiteral("Command1"));
    command1_->setAutoDefault(false);
    command1_->setMinimumHeight(36);
    connect(command1_, &QPushButton::clicked, this, [this] { send([&] { model_.onCommand1Click(); }); });
    layout->addWidget(command1_);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(makeCloseButton());
    layout->addLayout(closeRow);

    refresh();
}

void RuledView::showModel() {
    binding::setText(label1_, model_.label1.caption);
    QStringList items;
    for (int i = 0; i < combo1_->count(); ++i) items << combo1_->itemText(i);
    if (items != model_.combo1.items || combo1_->currentText() != model_.combo1.text) {
        const QSignalBlocker block(combo1_);
        if (items != model_.combo1.items) {
            combo1_->clear();
            combo1_->addItems(model_.combo1.items);
        }
        combo1_->setEditText(model_.combo1.text);
    }
    binding::setTitle(frame1_, model_.frame1.caption);
    binding::setText(option1_, model_.option1.caption);
    binding::setText(option2_, model_.option2.caption);
    binding::setChecked(option1_, model_.option1.checked);
    binding::setChecked(option2_, model_.option2.checked);
    binding::setText(text1_, model_.text1.text);
    binding::setText(command1_, model_.command1.caption);
    if (!model_.isOpen() && isVisible()) hide();
}
