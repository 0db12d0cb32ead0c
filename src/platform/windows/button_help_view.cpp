#include "platform/windows/button_help_view.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/windows/control_binding.h"

using binding::named;

namespace {

constexpr int kLetterRowHeight = 18;

QString placeName(int toolbarIndex) {
    return QStringLiteral("Toolbar1_%1").arg(toolbarIndex);
}

}  // namespace

ButtonHelpView::ButtonHelpView(ButtonHelpWindow& model, PictureSource toolbar, QWidget* parent)
    : WindowView(model, parent), model_(model), source_(std::move(toolbar)) {
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("hlpeForm"));

    label1_ = named(new QLabel(this), QStringLiteral("Label1"));
    QFont titleFont = label1_->font();
    titleFont.setPixelSize(18);
    titleFont.setBold(true);
    label1_->setFont(titleFont);
    // A picture button: named by the caption its tooltip shows.
    command2_ = named(new QPushButton(this), QStringLiteral("Command2"), model_.command2.caption);
    command2_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    command2_->setToolTip(model_.command2.caption);
    accessible::setShownText(command2_, model_.command2.caption);
    command2_->setFlat(true);

    auto letterRow = [this](const QString& name) {
        auto* row = named(new QWidget(this), name);
        row->setFixedHeight(kLetterRowHeight);
        return row;
    };
    label2_ = letterRow(QStringLiteral("Label2"));
    image1_ = named(new QLabel(this), QStringLiteral("Image1"), QStringLiteral("ツールバーの図 1"));
    label3_ = letterRow(QStringLiteral("Label3"));
    image2_ = named(new QLabel(this), QStringLiteral("Image2"), QStringLiteral("ツールバーの図 2"));
    for (QLabel* image : {image1_, image2_}) {
        image->setFrameShape(QFrame::Box);
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    // One label per letter, placed over its button once the pictures are taken.
    for (const ButtonExplanation& e : ButtonHelpWindow::explanations()) {
        for (auto [row, first, last] :
             {std::tuple{label2_, ButtonHelpWindow::kImage1First, ButtonHelpWindow::kImage1Last},
              std::tuple{label3_, ButtonHelpWindow::kImage2First, ButtonHelpWindow::kImage2Last}}) {
            if (e.toolbarIndex < first || e.toolbarIndex > last) continue;
            auto* l = named(new QLabel(QString(e.letter), row), row->objectName() + u'_' + e.letter);
            l->setAlignment(Qt::AlignCenter);
            QFont f = l->font();
            f.setBold(true);
            f.setPixelSize(14);
            l->setFont(f);
            l->setStyleSheet(QStringLiteral("color:#c62828;"));
            l->setProperty("toolbarIndex", e.toolbarIndex);
            l->setAccessibleDescription(e.text);
        }
    }

    label4_ = named(new QLabel(this), QStringLiteral("Label4"));
    label7_ = named(new QLabel(this), QStringLiteral("Label7"));
    label6_ = named(new QLabel(this), QStringLiteral("Label6"));
    label5_ = named(new QLabel(this), QStringLiteral("Label5"));
    for (QLabel* note : {label7_, label6_, label5_}) {
        note->setWordWrap(true);
        note->setFrameShape(QFrame::StyledPanel);
        note->setMargin(4);
    }
    command1_ = named(new QPushButton(this), QStringLiteral("Command1"));
    command3_ = named(new QPushButton(this), QStringLiteral("Command3"));
    command3_->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    for (QPushButton* b : {command1_, command2_, command3_}) b->setAutoDefault(false);

    connect(command1_, &QPushButton::clicked, this, [this] { send([&] { model_.onCommand1(); }); });
    connect(command2_, &QPushButton::clicked, this, [this] { send([&] { model_.onCommand2(); }); });
    connect(command3_, &QPushButton::clicked, this, [this] { send([&] { model_.onCommand3(); }); });

    auto* header = new QHBoxLayout;
    header->addWidget(label1_);
    header->addStretch(1);
    header->addWidget(command2_);
    // The pictures, the list and the notes scroll on a screen too small for them.
    auto* body = new QWidget(this);
    auto* content = new QVBoxLayout(body);
    content->setContentsMargins(0, 0, 0, 0);
    content->setSpacing(2);
    for (QWidget* w : {label2_, static_cast<QWidget*>(image1_)}) content->addWidget(w, 0, Qt::AlignLeft);
    content->addSpacing(6);
    for (QWidget* w : {label3_, static_cast<QWidget*>(image2_)}) content->addWidget(w, 0, Qt::AlignLeft);
    content->addSpacing(6);
    content->addWidget(label4_);
    for (QLabel* note : {label7_, label6_, label5_}) content->addWidget(note);
    content->addStretch(1);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("hlpeForm_scroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);  // Tab goes to the controls inside
    scroll->setWidgetResizable(true);
    scroll->setWidget(body);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(command1_);
    buttons->addStretch(1);
    buttons->addWidget(command3_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);

    updatePictures();
    refresh();
    // As large as the content, within the screen.
    const QSize wanted = body->sizeHint() + QSize(40, 110);
    const QSize room = screen() ? screen()->availableSize() - QSize(20, 60) : wanted;
    resize(wanted.boundedTo(room));
}

void ButtonHelpView::showPicture(QLabel* image, QWidget* row, const WindowPicture& toolbar, int first,
                                 int last) {
    // The strip from the first to the last of these buttons that the picture shows.
    QRect strip;
    for (int i = first; i <= last; ++i)
        if (toolbar.places.contains(placeName(i))) strip |= toolbar.places.value(placeName(i));
    const bool shown = !toolbar.pixmap.isNull() && strip.isValid();
    WindowPicture crop;
    if (shown) {
        const QSize full = toolbar.pixmap.deviceIndependentSize().toSize();
        crop = cropPicture(toolbar, QRect(strip.left() - 3, 0, strip.width() + 6, full.height()));
        image->setPixmap(crop.pixmap);
        image->setFixedSize(crop.pixmap.deviceIndependentSize().toSize() + QSize(2, 2));  // and the frame
    }
    image->setVisible(shown);
    row->setFixedWidth(shown ? image->width() : 20 * (last - first + 1));
    int evenX = 0;
    for (QLabel* l : row->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        const QString place = placeName(l->property("toolbarIndex").toInt());
        l->resize(16, kLetterRowHeight);
        if (!shown) {
            // No picture: the letters in a plain row.
            l->move(evenX, 0);
            evenX += 20;
            l->show();
        } else if (crop.places.contains(place)) {
            // The image's frame is one pixel wide.
            const int centre = 1 + crop.places.value(place).center().x();
            l->move(centre - l->width() / 2, 0);
            l->show();
        } else {
            l->hide();  // the button is not in the picture
        }
    }
}

void ButtonHelpView::updatePictures() {
    const WindowPicture toolbar = source_ ? source_() : WindowPicture{};
    showPicture(image1_, label2_, toolbar, ButtonHelpWindow::kImage1First, ButtonHelpWindow::kImage1Last);
    showPicture(image2_, label3_, toolbar, ButtonHelpWindow::kImage2First, ButtonHelpWindow::kImage2Last);
}

void ButtonHelpView::showModel() {
    binding::setText(label1_, model_.label1.caption);
    for (auto [row, caption] :
         {std::pair{label2_, &model_.label2.caption}, std::pair{label3_, &model_.label3.caption}}) {
        accessible::rename(row, *caption);
        accessible::setShownText(row, *caption);
    }
    binding::setText(label4_, model_.label4.caption);
    binding::setText(label5_, model_.label5.caption);
    binding::setText(label6_, model_.label6.caption);
    binding::setText(label7_, model_.label7.caption);
    binding::setText(command1_, model_.command1.caption);
    binding::setText(command3_, model_.command3.caption);
}

void ButtonHelpView::showEvent(QShowEvent* e) {
    updatePictures();
    WindowView::showEvent(e);
}
