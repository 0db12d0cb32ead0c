#include "platform/windows/text_flow_view.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/windows/text_flow/text_flow_window.h"
#include "platform/windows/control_binding.h"
#include "render/font_mapping.h"

TextFlowView::TextFlowView(TextFlowWindow& model, QWidget* parent)
    : WindowView(model, parent), model_(model) {
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("Form22"));

    auto* layout = new QVBoxLayout(this);
    // The caret marker stands in a strip above the text, over the caret.
    markerStrip_ = new QWidget(this);
    markerStrip_->setFixedHeight(18);
    label1_ = new QLabel(markerStrip_);
    binding::name(label1_, QStringLiteral("Label1"), QStringLiteral("カーソルの位置"));
    layout->addWidget(markerStrip_);

    text1_ = new QPlainTextEdit(this);
    binding::name(text1_, QStringLiteral("Text1"), QStringLiteral("流し込む文章"));
    QFont f(resolveFontFamily(QStringLiteral("ＭＳ Ｐゴシック")));
    f.setPointSize(20);
    text1_->setFont(f);
    text1_->setMinimumSize(QFontMetrics(f).horizontalAdvance(QStringLiteral("あ")) * 14, 200);
    connect(text1_, &QPlainTextEdit::textChanged, this, [this] { send([&] { textOrCaretChanged(); }); });
    connect(text1_, &QPlainTextEdit::cursorPositionChanged, this,
            [this] { send([&] { textOrCaretChanged(); }); });
    text1_->setTabChangesFocus(true);  // Tab goes on to the options and buttons
    layout->addWidget(text1_, 1);

    frame1_ = new QGroupBox(this);
    binding::name(frame1_, QStringLiteral("Frame1"));
    auto* frameRow = new QHBoxLayout(frame1_);
    option1_ = new QRadioButton(frame1_);
    binding::name(option1_, QStringLiteral("Option1"));
    option2_ = new QRadioButton(frame1_);
    binding::name(option2_, QStringLiteral("Option2"));
    frameRow->addWidget(option1_);
    frameRow->addWidget(option2_);
    connect(option1_, &QRadioButton::clicked, this, [this] { send([&] { model_.onOptionClick(1); }); });
    connect(option2_, &QRadioButton::clicked, this, [this] { send([&] { model_.onOptionClick(2); }); });
    layout->addWidget(frame1_);

    auto* buttons = new QHBoxLayout;
    const auto button = [&](const QString& name, void (TextFlowWindow::*event)()) {
        auto* b = new QPushButton(this);
        binding::name(b, name);
        b->setAutoDefault(false);
        b->setMinimumHeight(32);
        connect(b, &QPushButton::clicked, this, [this, event] { send([&] { (model_.*event)(); }); });
        buttons->addWidget(b);
        return b;
    };
    command1_ = button(QStringLiteral("Command1"), &TextFlowWindow::onCommand1Click);
    command2_ = button(QStringLiteral("Command2"), &TextFlowWindow::onCommand2Click);
    command3_ = button(QStringLiteral("Command3"), &TextFlowWindow::onCommand3Click);
    layout->addLayout(buttons);

    refresh();
}

void TextFlowView::textOrCaretChanged() {
    model_.onText1Changed(text1_->toPlainText(), text1_->textCursor().position(),
                          text1_->cursorRect().left());
}

void TextFlowView::showModel() {
    if (text1_->toPlainText() != model_.text1.text) {
        const QSignalBlocker block(text1_);
        text1_->setPlainText(model_.text1.text);
    }
    binding::setText(label1_, model_.label1.caption);
    binding::setColors(label1_, -1, model_.label1.foreColor);
    label1_->adjustSize();
    // The marker's left edge in twips counts from the text's left edge.
    const int left = text1_->geometry().left() + text1_->viewport()->geometry().left() +
                     model_.label1.left / TextFlowWindow::kTwipsPerPixel - label1_->width() / 2;
    if (label1_->x() != left) label1_->move(std::max(0, left), 0);
    binding::setTitle(frame1_, model_.frame1.caption);
    binding::setText(option1_, model_.option1.caption);
    binding::setText(option2_, model_.option2.caption);
    binding::setChecked(option1_, model_.option1.checked);
    binding::setChecked(option2_, model_.option2.checked);
    binding::setText(command1_, model_.command1.caption);
    binding::setColors(command1_, model_.command1.backColor);
    binding::setText(command2_, model_.command2.caption);
    binding::setColors(command2_, model_.command2.backColor);
    binding::setText(command3_, model_.command3.caption);
    binding::setColors(command3_, model_.command3.backColor);
    if (!model_.isOpen() && isVisible()) hide();
}
