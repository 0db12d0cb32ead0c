#include "platform/windows/kana_position_view.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QSlider>

#include "core/windows/kana_position/kana_position_window.h"
#include "platform/windows/control_binding.h"
#include "render/font_mapping.h"

namespace {

constexpr int kTwipsPerPixel = 15;
int px(int twips) {
    return twips / kTwipsPerPixel;
}

// The sample's frame with the two guide lines across it.
class GuideCanvas : public QWidget {
public:
    using QWidget::QWidget;
    QSize sizeHint() const override {
        return {px(KanaPositionWindow::kLine2Right + 120), px(KanaPositionWindow::kLine1Bottom + 120)};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        using W = KanaPositionWindow;
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setPen(QPen(Qt::red, 1));
        p.drawLine(px(W::kLine1X), px(W::kLine1Top), px(W::kLine1X), px(W::kLine1Bottom));
        p.drawLine(px(W::kLine2Left), px(W::kLine2Y), px(W::kLine2Right), px(W::kLine2Y));
    }
};

}  // namespace

KanaPositionView::KanaPositionView(KanaPositionWindow& model, QWidget* parent)
    : WindowView(model, parent), model_(model) {
    setWindowFlag(Qt::Window);

    auto* layout = new QGridLayout(this);
    canvas_ = new GuideCanvas(this);
    canvas_->setFixedSize(canvas_->sizeHint());
    label1_ = new QLabel(canvas_);
    binding::name(label1_, QStringLiteral("Label1"));
    label1_->setAlignment(Qt::AlignCenter);
    label1_->setAttribute(Qt::WA_TransparentForMouseEvents);
    layout->addWidget(canvas_, 0, 0);

    const auto slider = [&](Qt::Orientation o, const QString& name, const QString& purpose) {
        auto* s = new QSlider(o, this);
        binding::name(s, name, purpose);
        // Down and right are the growing directions, as the sample moves.
        s->setInvertedAppearance(o == Qt::Vertical);
        s->setInvertedControls(o == Qt::Vertical);
        s->setTickPosition(o == Qt::Vertical ? QSlider::TicksRight : QSlider::TicksBelow);
        return s;
    };
    slider1_ = slider(Qt::Vertical, QStringLiteral("Slider1"), QStringLiteral("上下の位置"));
    slider2_ = slider(Qt::Horizontal, QStringLiteral("Slider2"), QStringLiteral("左右の位置"));
    connect(slider1_, &QSlider::valueChanged, this,
            [this](int v) { send([&] { model_.onSlider1Changed(v); }); });
    connect(slider2_, &QSlider::valueChanged, this,
            [this](int v) { send([&] { model_.onSlider2Changed(v); }); });
    layout->addWidget(slider1_, 0, 1);
    layout->addWidget(slider2_, 1, 0);

    command1_ = new QPushButton(this);
    binding::name(command1_, QStringLiteral("Command1"));
    command1_->setAutoDefault(false);
    connect(command1_, &QPushButton::clicked, this, [this] { send([&] { model_.onCommand1Click(); }); });
    layout->addWidget(command1_, 1, 1);
    layout->addWidget(makeCloseButton(), 2, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    refresh();
}

void KanaPositionView::showModel() {
    for (auto [widget, state] :
         {std::pair{slider1_, &model_.slider1}, std::pair{slider2_, &model_.slider2}}) {
        const QSignalBlocker block(widget);
        if (widget->minimum() != state->min || widget->maximum() != state->max)
            widget->setRange(state->min, state->max);
        widget->setSingleStep(state->smallChange);
        widget->setPageStep(state->largeChange);
        widget->setTickInterval(state->largeChange);
        if (widget->value() != state->value) widget->setValue(state->value);
    }
    const LabelControl& sample = model_.label1;
    binding::setText(label1_, sample.caption);
    QFont f(resolveFontFamily(sample.fontName));
    f.setPixelSize(px(sample.height) * 3 / 4);
    if (label1_->font() != f) label1_->setFont(f);
    const QRect place(px(sample.left), px(sample.top), px(sample.width), px(sample.height));
    if (label1_->geometry() != place) label1_->setGeometry(place);
    binding::setText(command1_, model_.command1.caption);
    if (!model_.isOpen() && isVisible()) hide();
}
