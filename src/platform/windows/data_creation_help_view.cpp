#include "platform/windows/data_creation_help_view.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/windows/control_binding.h"

using binding::named;

namespace {

constexpr int kMarkerSize = 22;

}  // namespace

DataCreationHelpView::DataCreationHelpView(DataCreationHelpWindow& model, PictureSource mainWindow,
                                           QWidget* parent)
    : WindowView(model, parent), model_(model), source_(std::move(mainWindow)) {
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("helpForm3"));

    image1_ = named(new QLabel(this), QStringLiteral("Image1"), QStringLiteral("メインウインドウの図"));
    image2_ = named(new QLabel(this), QStringLiteral("Image2"), QStringLiteral("問題の入力欄の拡大図"));
    for (QLabel* image : {image1_, image2_}) {
        image->setFrameShape(QFrame::Box);
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    auto addMarkers = [](QLabel* image, const std::vector<StepMarker>& markers) {
        for (const StepMarker& m : markers) {
            auto* l = named(new QLabel(m.mark, image), image->objectName() + u'_' + m.mark);
            l->setAlignment(Qt::AlignCenter);
            l->setFixedSize(kMarkerSize, kMarkerSize);
            l->setStyleSheet(
                QStringLiteral("color:#c62828; background:rgba(255,255,255,220); border:2px solid #c62828; "
                               "border-radius:11px;"
                               "font-weight:bold; font-size:14px;"));
            // Tools learn which controls the number points at.
            if (accessible::designNames()) l->setAccessibleDescription(m.controls.join(u' '));
        }
    };
    addMarkers(image1_, DataCreationHelpWindow::image1Markers());
    addMarkers(image2_, DataCreationHelpWindow::image2Markers());

    image3_ = named(new QLabel(this), QStringLiteral("Image3"), QStringLiteral("閉じる"));
    image3_->setPixmap(style()->standardIcon(QStyle::SP_DialogCloseButton).pixmap(32, 32));
    image3_->setToolTip(QStringLiteral("クリックで閉じる"));
    image3_->setAccessibleDescription(image3_->toolTip());
    image3_->setCursor(Qt::PointingHandCursor);
    image3_->installEventFilter(this);

    for (int i = 0; i < model_.stepLabels.size(); ++i) {
        auto* l = named(new QLabel(this), QStringLiteral("Label%1").arg(i + 1));
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setFixedWidth(440);
        steps_.push_back(l);
    }
    command1_ = named(new QPushButton(this), QStringLiteral("Command1"));
    command2_ = named(new QPushButton(this), QStringLiteral("Command2"));
    for (QPushButton* b : {command1_, command2_}) b->setAutoDefault(false);
    setTabOrder(command2_, command1_);  // as they stand, left to right
    connect(command1_, &QPushButton::clicked, this, [this] { send([&] { model_.onCommand1(); }); });
    connect(command2_, &QPushButton::clicked, this, [this] { send([&] { model_.onCommand2(); }); });

    // Steps ① to ③ beside the whole window, ⑤ to ⑧ beside the close-up of the grid.
    auto* grid = new QGridLayout;
    auto* upper = new QVBoxLayout;
    auto* lower = new QVBoxLayout;
    for (size_t i = 0; i < steps_.size(); ++i) (i < 3 ? upper : lower)->addWidget(steps_[i]);
    upper->addStretch(1);
    lower->addStretch(1);
    grid->addWidget(image1_, 0, 0, Qt::AlignTop);
    grid->addLayout(upper, 0, 1);
    grid->addWidget(image2_, 1, 0, Qt::AlignTop);
    grid->addLayout(lower, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(image3_);
    buttons->addStretch(1);
    buttons->addWidget(command2_);
    buttons->addWidget(command1_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    updatePictures();
    refresh();
}

void DataCreationHelpView::showPicture(QLabel* image, const WindowPicture& picture,
                                       const std::vector<StepMarker>& markers) {
    const bool shown = !picture.pixmap.isNull();
    image->setVisible(shown);
    if (!shown) return;
    const QSize size = picture.pixmap.deviceIndependentSize().toSize();
    const double scale =
        std::min({1.0, double(kPictureWidth) / size.width(), double(kPictureHeight) / size.height()});
    const QPixmap scaled = picture.pixmap.scaledToWidth(
        qRound(size.width() * scale * picture.pixmap.devicePixelRatio()), Qt::SmoothTransformation);
    image->setPixmap(scaled);
    const QSize shownSize = scaled.deviceIndependentSize().toSize();
    image->setFixedSize(shownSize + QSize(2, 2));
    for (const StepMarker& m : markers) {
        auto* l = image->findChild<QLabel*>(image->objectName() + u'_' + m.mark, Qt::FindDirectChildrenOnly);
        if (!l) continue;
        QRect at;
        for (const QString& name : m.controls) at |= picture.places.value(name);
        if (!at.isValid()) {
            l->hide();
            continue;
        }
        // The number stands at the control's top right corner, inside the picture.
        const QPoint corner(qRound(at.right() * scale), qRound(at.top() * scale));
        const int x = std::clamp(corner.x() - kMarkerSize / 2, 1, shownSize.width() + 1 - kMarkerSize);
        const int y = std::clamp(corner.y() - kMarkerSize / 2, 1, shownSize.height() + 1 - kMarkerSize);
        l->move(x, y);
        l->show();
        l->raise();
    }
}

void DataCreationHelpView::updatePictures() {
    const WindowPicture window = source_ ? source_() : WindowPicture{};
    showPicture(image1_, window, DataCreationHelpWindow::image1Markers());
    // The close-up: the controls of steps ⑤ to ⑧ and a margin.
    QRect area;
    for (const StepMarker& m : DataCreationHelpWindow::image2Markers())
        for (const QString& name : m.controls) area |= window.places.value(name);
    showPicture(image2_,
                area.isValid() ? cropPicture(window, area.adjusted(-12, -12, 12, 12)) : WindowPicture{},
                DataCreationHelpWindow::image2Markers());
}

void DataCreationHelpView::showModel() {
    for (size_t i = 0; i < steps_.size(); ++i)
        binding::setText(steps_[i], model_.stepLabels.value(static_cast<qsizetype>(i)));
    binding::setText(command1_, model_.command1.caption);
    binding::setText(command2_, model_.command2.caption);
}

bool DataCreationHelpView::eventFilter(QObject* watched, QEvent* e) {
    if (watched == image3_ && e->type() == QEvent::MouseButtonRelease) {
        send([&] { model_.onImage3Click(); });
        return true;
    }
    return WindowView::eventFilter(watched, e);
}

void DataCreationHelpView::showEvent(QShowEvent* e) {
    updatePictures();
    WindowView::showEvent(e);
}
