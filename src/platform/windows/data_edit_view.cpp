#include "platform/windows/data_edit_view.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QVBoxLayout>

#include "platform/windows/control_binding.h"
#include "render/font_mapping.h"

using binding::named;

DataEditView::DataEditView(DataEditWindow& model, QWidget* parent)
    : WindowView(model, parent), model_(model) {
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("OSForm1"));

    label1_ = named(new QLabel(this), QStringLiteral("Label1"));
    label1_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    txtMain_ = named(new QPlainTextEdit(this), QStringLiteral("txtMain"), QStringLiteral("ファイルの内容"));
    txtMain_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtMain_->viewport()->installEventFilter(this);
    label2_ = named(new QLabel(this), QStringLiteral("Label2"));
    label2_->setWordWrap(true);
    text1_ = named(new QLineEdit(this), QStringLiteral("Text1"), QStringLiteral("検索する文字"));
    text1_->setPlaceholderText(QStringLiteral("検索する文字"));
    text2_ = named(new QLineEdit(this), QStringLiteral("Text2"), QStringLiteral("置き換える文字"));
    text2_->setPlaceholderText(QStringLiteral("置き換える文字"));
    combo1_ = named(new QComboBox(this), QStringLiteral("Combo1"), model_.combo1.text);
    combo1_->addItems(model_.combo1.items);
    combo1_->setPlaceholderText(model_.combo1.text);
    combo1_->setCurrentIndex(-1);
    accessible::describe(combo1_, model_.combo1.text);

    command1_ = button(QStringLiteral("Command1"));
    command4_ = button(QStringLiteral("Command4"));
    command3_ = button(QStringLiteral("Command3"));
    command5_ = button(QStringLiteral("Command5"));
    comOpen_ = button(QStringLiteral("comOpen"));
    comSave_ = button(QStringLiteral("comSave"));
    comSaveas_ = button(QStringLiteral("comSaveas"));
    command2_ = button(QStringLiteral("Command2"));

    connect(command1_, &QPushButton::clicked, this, [this] {
        send([&] { model_.onCommand1(); });
        txtMain_->setFocus();
    });
    connect(command4_, &QPushButton::clicked, this, [this] {
        send([&] { model_.onCommand4(); });
        txtMain_->setFocus();
    });
    connect(command3_, &QPushButton::clicked, this, [this] { send([&] { model_.onCommand3(); }); });
    connect(command5_, &QPushButton::clicked, this, [this] { send([&] { model_.onCommand5(); }); });
    connect(comOpen_, &QPushButton::clicked, this, [this] { send([&] { model_.onComOpen(); }); });
    connect(comSave_, &QPushButton::clicked, this, [this] { send([&] { model_.onComSave(); }); });
    connect(comSaveas_, &QPushButton::clicked, this, [this] { send([&] { model_.onComSaveas(); }); });
    connect(command2_, &QPushButton::clicked, this, [this] { send([&] { model_.onCommand2(); }); });
    connect(combo1_, &QComboBox::activated, this,
            [this](int index) { send([&] { model_.onCombo1Click(index); }); });
    connect(text1_, &QLineEdit::textEdited, this,
            [this](const QString& t) { send([&] { model_.onText1Changed(t); }); });
    connect(text2_, &QLineEdit::textEdited, this,
            [this](const QString& t) { send([&] { model_.onText2Changed(t); }); });
    // The text box tells of its caret before its text: each of its signals hands the model
    // both, so that the repaint after it never puts back an older text.
    for (auto signal : {&QPlainTextEdit::textChanged, &QPlainTextEdit::cursorPositionChanged,
                        &QPlainTextEdit::selectionChanged})
        connect(txtMain_, signal, this, [this] {
            if (!refreshing_) send([this] { takeTextBox(); });
        });

    auto* search = new QGridLayout;
    search->addWidget(new QLabel(QStringLiteral("検索"), this), 0, 0);
    search->addWidget(text1_, 0, 1);
    search->addWidget(command1_, 0, 2);
    search->addWidget(new QLabel(QStringLiteral("置換"), this), 1, 0);
    search->addWidget(text2_, 1, 1);
    search->addWidget(command4_, 1, 2);
    search->addWidget(command3_, 1, 3);
    search->addWidget(command5_, 0, 3);
    search->setColumnStretch(1, 1);

    auto* files = new QHBoxLayout;
    files->addWidget(combo1_);
    files->addStretch(1);
    files->addWidget(comOpen_);
    files->addWidget(comSave_);
    files->addWidget(comSaveas_);
    files->addSpacing(16);
    files->addWidget(command2_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1_);
    layout->addWidget(txtMain_, 1);
    layout->addLayout(search);
    layout->addWidget(label2_);
    layout->addLayout(files);
    // Tab leaves the text (a problem file has no tabs) and walks the window as it reads: the
    // search row, the replace row, then the file row.
    txtMain_->setTabChangesFocus(true);
    QWidget* const order[] = {txtMain_,  text1_,  command1_, command5_, text2_,     command4_,
                              command3_, combo1_, comOpen_,  comSave_,  comSaveas_, command2_};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    resize(800, 560);
    refresh();
}

QPushButton* DataEditView::button(const QString& name) {
    auto* b = named(new QPushButton(this), name);
    b->setAutoDefault(false);
    return b;
}

void DataEditView::takeTextBox() {
    model_.onTxtMainChanged(txtMain_->toPlainText());
    const QTextCursor c = txtMain_->textCursor();
    model_.onTxtMainSelectionChanged(c.selectionStart(), c.selectionEnd() - c.selectionStart());
}

void DataEditView::showModel() {
    refreshing_ = true;
    binding::setText(label1_, model_.label1.caption);
    binding::setText(label2_, model_.label2.caption);

    QFont font(resolveFontFamily(model_.txtMain.fontName));
    font.setPointSizeF(model_.txtMain.fontSize);
    if (txtMain_->font() != font) txtMain_->setFont(font);
    if (txtMain_->toPlainText() != model_.txtMain.text) {
        const QSignalBlocker block(txtMain_);
        txtMain_->setPlainText(model_.txtMain.text);
    }
    QTextCursor c = txtMain_->textCursor();
    const qsizetype start = model_.txtMain.selStart, end = start + model_.txtMain.selLength;
    if (c.selectionStart() != start || c.selectionEnd() != end) {
        c.setPosition(static_cast<int>(start));
        c.setPosition(static_cast<int>(end), QTextCursor::KeepAnchor);
        txtMain_->setTextCursor(c);
        txtMain_->ensureCursorVisible();
    }

    if (text1_->text() != model_.text1.text) text1_->setText(model_.text1.text);
    if (text2_->text() != model_.text2.text) text2_->setText(model_.text2.text);
    if (combo1_->currentIndex() != model_.combo1.listIndex) {
        const QSignalBlocker block(combo1_);
        combo1_->setCurrentIndex(model_.combo1.listIndex);
    }
    binding::setText(command1_, model_.command1.caption);
    binding::setText(command4_, model_.command4.caption);
    binding::setText(command3_, model_.command3.caption);
    binding::setText(command5_, model_.command5.caption);
    binding::setText(comOpen_, model_.comOpen.caption);
    binding::setText(comSave_, model_.comSave.caption);
    binding::setText(comSaveas_, model_.comSaveas.caption);
    binding::setText(command2_, model_.command2.caption);
    refreshing_ = false;
}

bool DataEditView::eventFilter(QObject* watched, QEvent* e) {
    if (watched == txtMain_->viewport() && e->type() == QEvent::MouseButtonRelease) {
        // Once the text box has taken the release, its selection becomes the search text.
        QMetaObject::invokeMethod(
            this,
            [this] {
                send([this] {
                    takeTextBox();
                    model_.onTxtMainMouseUp();
                });
            },
            Qt::QueuedConnection);
    }
    return WindowView::eventFilter(watched, e);
}
