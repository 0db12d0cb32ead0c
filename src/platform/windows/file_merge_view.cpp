#include "platform/windows/file_merge_view.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/windows/control_binding.h"
#include "platform/windows/keyboard_access.h"
#include "render/font_mapping.h"

using binding::named;

namespace {

constexpr int px(int twips) {
    return twips / 15;
}

void setList(QListWidget* list, const QStringList& items) {
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
    if (shown == items) return;
    const QSignalBlocker block(list);
    list->clear();
    list->addItems(items);
}

void setRadio(QRadioButton* r, const OptionControl& o) {
    if (r->text() != o.caption) r->setText(o.caption);
    accessible::setShownText(r, o.caption);
    if (r->isChecked() != o.checked) {
        const QSignalBlocker block(r);
        r->setChecked(o.checked);
    }
}

}  // namespace

FileMergeView::FileMergeView(FileMergeWindow& model, QWidget* parent)
    : WindowView(model, parent), model_(model) {
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("Form14"));

    frame2_ = named(new QGroupBox(this), QStringLiteral("Frame2"));
    option3_ = named(new QRadioButton(frame2_), QStringLiteral("Option3"));
    option4_ = named(new QRadioButton(frame2_), QStringLiteral("Option4"));
    file1_ = named(new QListWidget(frame2_), QStringLiteral("File1"), QStringLiteral("フォルダーのファイル"));
    // The folder listed, and the button that lists another.
    label4_ = named(new QLabel(frame2_), QStringLiteral("Label4"), QStringLiteral("ファイルのフォルダー"));
    label4_->setMinimumWidth(40);
    label4_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    command4_ = named(new QPushButton(frame2_), QStringLiteral("Command4"));
    command4_->setAutoDefault(false);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(label4_, 1);
    folderRow->addWidget(command4_);
    auto* f2 = new QVBoxLayout(frame2_);
    f2->setContentsMargins(6, 4, 6, 6);
    f2->setSpacing(2);
    f2->addWidget(option3_);
    f2->addWidget(option4_);
    f2->addLayout(folderRow);
    f2->addWidget(file1_, 1);

    label2_ = named(new QLabel(this), QStringLiteral("Label2"));
    list1_ = named(new QListWidget(this), QStringLiteral("List1"), QStringLiteral("結合するファイル"));
    list1_->setSelectionMode(QAbstractItemView::NoSelection);
    label3_ = named(new QLabel(this), QStringLiteral("Label3"));

    text1_ = named(new QLineEdit(this), QStringLiteral("Text1"), QStringLiteral("結合後のファイル名"));
    label1_ = named(new QLabel(this), QStringLiteral("Label1"));
    label1_->setMinimumWidth(label1_->fontMetrics().horizontalAdvance(QStringLiteral(".mojx")) + 4);
    frame1_ = named(new QGroupBox(this), QStringLiteral("Frame1"));
    option1_ = named(new QRadioButton(frame1_), QStringLiteral("Option1"));
    option2_ = named(new QRadioButton(frame1_), QStringLiteral("Option2"));
    text2_ = named(new QLineEdit(frame1_), QStringLiteral("Text2"), QStringLiteral("番号の後の文字"));
    auto* f1 = new QHBoxLayout(frame1_);
    f1->setContentsMargins(6, 2, 6, 4);
    f1->addWidget(option1_);
    f1->addWidget(option2_);
    f1->addWidget(text2_, 1);
    command1_ = named(new QPushButton(this), QStringLiteral("Command1"));
    command2_ = named(new QPushButton(this), QStringLiteral("Command2"));
    command3_ = named(new QPushButton(this), QStringLiteral("Command3"));
    for (QPushButton* b : {command1_, command2_, command3_}) b->setAutoDefault(false);
    text3_ = named(new QPlainTextEdit(this), QStringLiteral("Text3"), QStringLiteral("結合する内容"));
    text3_->setReadOnly(true);
    text3_->setTabChangesFocus(true);
    text3_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont previewFont(resolveFontFamily(model_.text3.fontName));
    previewFont.setPointSize(9);
    text3_->setFont(previewFont);

    // Two radio pairs, each its own group.
    auto* formats = new QButtonGroup(this);
    formats->addButton(option3_);
    formats->addButton(option4_);
    auto* numbering = new QButtonGroup(this);
    numbering->addButton(option1_);
    numbering->addButton(option2_);

    connect(option3_, &QRadioButton::clicked, this, [this] { send([&] { model_.onOption3Click(); }); });
    connect(option4_, &QRadioButton::clicked, this, [this] { send([&] { model_.onOption4Click(); }); });
    connect(option1_, &QRadioButton::clicked, this, [this] { send([&] { model_.onOption1Click(); }); });
    connect(option2_, &QRadioButton::clicked, this, [this] { send([&] { model_.onOption2Click(); }); });
    const auto pick = [this](QListWidgetItem* item) { send([&] { model_.onFile1Click(item->text()); }); };
    connect(file1_, &QListWidget::itemClicked, this, pick);
    pickOnKeys(file1_, pick);
    connect(command1_, &QPushButton::clicked, this, [this] { send([&] { model_.onCommand1(); }); });
    connect(command2_, &QPushButton::clicked, this, [this] { send([&] { model_.onCommand2(); }); });
    connect(command3_, &QPushButton::clicked, this, [this] { send([&] { model_.onCommand3(); }); });
    connect(command4_, &QPushButton::clicked, this, [this] { send([&] { model_.onCommand4(); }); });
    connect(text1_, &QLineEdit::textEdited, this,
            [this](const QString& t) { send([&] { model_.onText1Changed(t); }); });
    connect(text2_, &QLineEdit::textEdited, this,
            [this](const QString& t) { send([&] { model_.onText2Changed(t); }); });

    // The picking row: files ⇒ picked names ⇒ the output name and the buttons.
    auto* output = new QGridLayout;
    output->addWidget(text1_, 0, 0);
    output->addWidget(label1_, 0, 1);
    output->setColumnStretch(0, 1);
    output->addWidget(frame1_, 1, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(command1_);
    buttons->addWidget(command2_);
    output->addLayout(buttons, 2, 0, 1, 2);
    output->addWidget(command3_, 3, 0, 1, 2);
    output->setRowStretch(4, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(frame2_, 3);
    top->addWidget(label2_);
    top->addWidget(list1_, 2);
    top->addWidget(label3_);
    top->addLayout(output, 3);

    auto* topBox = new QWidget(this);
    topBox->setLayout(top);
    topBox->setFixedHeight(px(FileMergeWindow::kCollapsedHeight) - 12);
    top->setContentsMargins(0, 0, 0, 0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(topBox);
    layout->addWidget(text3_, 1);
    setFixedWidth(680);
    refresh();
}

void FileMergeView::showModel() {
    frame2_->setTitle(model_.frame2Caption);
    accessible::setShownText(frame2_, model_.frame2Caption);
    frame1_->setTitle(model_.frame1Caption);
    accessible::setShownText(frame1_, model_.frame1Caption);
    setRadio(option3_, model_.option3);
    setRadio(option4_, model_.option4);
    setRadio(option1_, model_.option1);
    setRadio(option2_, model_.option2);
    setList(file1_, model_.file1.items);
    file1_->setToolTip(model_.file1.folder);
    // The end of a long path is the part that tells folders apart.
    const QString folder =
        label4_->fontMetrics().elidedText(model_.label4.caption, Qt::ElideLeft, qMax(40, label4_->width()));
    if (label4_->text() != folder) label4_->setText(folder);
    accessible::describe(label4_, model_.label4.caption);
    label4_->setToolTip(model_.label4.caption);
    binding::setText(command4_, model_.command4.caption);
    accessible::describe(file1_, model_.file1.folder);
    setList(list1_, model_.list1);
    if (text3_->toPlainText() != model_.text3.text) text3_->setPlainText(model_.text3.text);
    text3_->setVisible(model_.text3.visible);
    if (text1_->text() != model_.text1.text) text1_->setText(model_.text1.text);
    if (text2_->text() != model_.text2.text) text2_->setText(model_.text2.text);
    binding::setText(label1_, model_.label1.caption);
    binding::setText(label2_, model_.label2.caption);
    binding::setText(label3_, model_.label3.caption);
    binding::setText(command1_, model_.command1.caption);
    binding::setText(command2_, model_.command2.caption);
    binding::setText(command3_, model_.command3.caption);
    setFixedHeight(px(model_.heightTwips));
}

void FileMergeView::resizeEvent(QResizeEvent* e) {
    WindowView::resizeEvent(e);
    refresh();  // the folder's path is shortened to the label's new width
}
