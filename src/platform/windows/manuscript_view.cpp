#include "platform/windows/manuscript_view.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/windows/manuscript/manuscript_window.h"
#include "platform/windows/control_binding.h"

ManuscriptView::ManuscriptView(ManuscriptWindow& model, QWidget* parent)
    : WindowView(model, parent), model_(model) {
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("Form4"));

    auto* layout = new QVBoxLayout(this);
    auto* sizes = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(this);
        binding::name(b, QStringLiteral("Command1(%1)").arg(i));
        b->setAutoDefault(false);
        b->setMinimumHeight(48);
        connect(b, &QPushButton::clicked, this, [this, i] { send([&] { model_.onCommand1Click(i); }); });
        sizes->addWidget(b);
        command1_[static_cast<size_t>(i)] = b;
    }
    layout->addLayout(sizes);

    command2_ = new QPushButton(this);
    binding::name(command2_, QStringLiteral("Command2"));
    command2_->setAutoDefault(false);
    command2_->setMinimumHeight(36);
    connect(command2_, &QPushButton::clicked, this, [this] { send([&] { model_.onCommand2Click(); }); });
    layout->addWidget(command2_);

    // The four option frames: paper, readings, shade, centre cross.
    const auto frame = [&](int number, std::initializer_list<int> options) {
        auto* box = new QGroupBox(this);
        binding::name(box, QStringLiteral("Frame%1").arg(number));
        auto* row = new QHBoxLayout(box);
        for (int n : options) {
            auto* r = new QRadioButton(box);
            binding::name(r, QStringLiteral("Option%1").arg(n));
            connect(r, &QRadioButton::clicked, this, [this, n] { send([&] { model_.onOptionClick(n); }); });
            row->addWidget(r);
            option_[static_cast<size_t>(n)] = r;
        }
        frame_[static_cast<size_t>(number)] = box;
        return box;
    };
    auto* options = new QGridLayout;
    options->addWidget(frame(4, {8, 9}), 0, 0);
    options->addWidget(frame(3, {6, 7}), 0, 1);
    options->addWidget(frame(1, {2, 1}), 1, 0);
    auto* shade = frame(2, {5, 3});
    command3_ = new QPushButton(shade);
    binding::name(command3_, QStringLiteral("Command3"));
    command3_->setAutoDefault(false);
    connect(command3_, &QPushButton::clicked, this, [this] { send([&] { model_.onCommand3Click(); }); });
    shade->layout()->addWidget(command3_);
    options->addWidget(shade, 1, 1);
    layout->addLayout(options);

    auto* colour = new QHBoxLayout;
    label1_ = new QLabel(this);
    binding::name(label1_, QStringLiteral("Label1"));
    label2_ = new QLabel(this);
    binding::name(label2_, QStringLiteral("Label2"), QStringLiteral("前回使った色の見本"));
    label2_->setFixedSize(48, 20);
    label2_->setFrameShape(QFrame::Box);
    colour->addWidget(label1_);
    colour->addWidget(label2_);
    colour->addStretch();
    layout->addLayout(colour);

    auto* title = new QHBoxLayout;
    label4_ = new QLabel(this);
    binding::name(label4_, QStringLiteral("Label4"));
    text1_ = new QLineEdit(this);
    binding::name(text1_, QStringLiteral("Text1"), QStringLiteral("タイトル"));
    connect(text1_, &QLineEdit::textEdited, this,
            [this](const QString& t) { send([&] { model_.onText1Changed(t); }); });
    title->addWidget(label4_);
    title->addWidget(text1_, 1);
    layout->addLayout(title);

    label3_ = new QLabel(this);
    binding::name(label3_, QStringLiteral("Label3"));
    label3_->setStyleSheet(QStringLiteral("color: #c00000;"));
    layout->addWidget(label3_);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(makeCloseButton());
    layout->addLayout(closeRow);

    refresh();
}

void ManuscriptView::showModel() {
    for (size_t i = 0; i < command1_.size(); ++i) {
        binding::setText(command1_[i], model_.command1[i].caption);
        binding::setColors(command1_[i], model_.command1[i].backColor);
    }
    binding::setText(command2_, model_.command2.caption);
    binding::setColors(command2_, model_.command2.backColor);
    binding::setText(command3_, model_.command3.caption);
    binding::setVisible(command3_, model_.command3.visible);
    const FrameControl* frames[] = {nullptr, &model_.frame1, &model_.frame2, &model_.frame3, &model_.frame4};
    for (size_t n = 1; n <= 4; ++n) {
        binding::setTitle(frame_[n], frames[n]->caption);
        binding::setToolTip(frame_[n], frames[n]->tooltip);
    }
    for (size_t n = 1; n <= 9; ++n) {
        if (!option_[n]) continue;
        binding::setText(option_[n], model_.option[n].caption);
        binding::setChecked(option_[n], model_.option[n].checked);
    }
    binding::setText(label1_, model_.label1.caption);
    binding::setColors(label2_, model_.label2.backColor);
    binding::setText(label3_, model_.label3.caption);
    binding::setText(label4_, model_.label4.caption);
    binding::setText(text1_, model_.text1.text);
    binding::setToolTip(text1_, model_.text1.tooltip);
    if (!model_.isOpen() && isVisible()) hide();
}
