#include "platform/windows/tracing_color_view.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/windows/control_binding.h"

TracingColorView::TracingColorView(TracingColorWindow& model, QWidget* parent)
    : WindowView(model, parent, Qt::Dialog), model_(model) {
    setObjectName(QStringLiteral("TracingColor"));
    auto* frame = new QGroupBox(QString::fromUtf8(TracingColorWindow::kFrameCaption), this);
    accessible::setShownText(frame, frame->title());
    auto* box = new QVBoxLayout(frame);
    for (int i = 0; i < 4; ++i) {
        auto* opt =
            new QRadioButton(QString::fromUtf8(TracingColorWindow::kCaptions[static_cast<size_t>(i)]), frame);
        opt->setObjectName(QStringLiteral("Option1(%1)").arg(i));
        accessible::nameByText(opt, {});
        accessible::setShownText(opt, opt->text());
        box->addWidget(opt);
        connect(opt, &QRadioButton::clicked, this, [this, i] { send([&] { model_.onChoice(i); }); });
        options_[static_cast<size_t>(i)] = opt;
    }
    sample_ = new QLabel(QStringLiteral("亜"), this);
    sample_->setObjectName(QStringLiteral("Label1"));
    QFont f(QStringLiteral("ＭＳ Ｐ明朝"));
    f.setPixelSize(48);
    sample_->setFont(f);
    sample_->setAlignment(Qt::AlignCenter);
    accessible::nameByPurpose(sample_, {}, QStringLiteral("見本 亜"));
    accessible::setShownText(sample_, sample_->text());
    auto* ok = new QPushButton(QStringLiteral("決定"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    auto* cancel = new QPushButton(QStringLiteral("取り消し"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    for (QPushButton* b : {ok, cancel}) accessible::setShownText(b, b->text());
    connect(ok, &QPushButton::clicked, this, [this] { send([&] { model_.onOk(); }); });
    connect(cancel, &QPushButton::clicked, this, [this] { send([&] { model_.onCancel(); }); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(sample_);
    layout->addWidget(ok);
    layout->addWidget(cancel);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    refresh();
}

void TracingColorView::showModel() {
    // The dialog opens with the shade in use chosen.
    const int chosen = model_.choice >= 0 ? model_.choice : model_.currentChoice();
    for (int i = 0; i < 4; ++i) {
        QRadioButton* o = options_[static_cast<size_t>(i)];
        if (o->isChecked() != (i == chosen)) {
            o->setAutoExclusive(false);
            o->setChecked(i == chosen);
            o->setAutoExclusive(true);
        }
    }
    const QString css = QStringLiteral("color:%1;").arg(colorFromBgr(model_.sampleColor).name());
    if (sample_->styleSheet() != css) sample_->setStyleSheet(css);
}
