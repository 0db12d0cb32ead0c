#include "windows/lookup_panel_view.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "printing/practice_book.h"

namespace {

constexpr int kCellPixels = 34;  // a 22-point kanji with its margin
constexpr int kCellGap = 3;      // 50 twips

QString cssColor(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF).name();
}

void setCss(QWidget* w, const QString& css) {
    if (w->styleSheet() != css) w->setStyleSheet(css);
}

// A label's text is mirrored into its accessible description, where screen readers and
// test tools read it.
void setLabelText(QLabel* l, const QString& text) {
    if (l->text() != text) l->setText(text);
    if (l->accessibleDescription() != text) l->setAccessibleDescription(text);
}

void setButton(QPushButton* b, const LookupButton& m) {
    if (b->text() != m.caption) b->setText(m.caption);
    if (b->toolTip() != m.tooltip) b->setToolTip(m.tooltip);
    if (b->isEnabled() != m.enabled) b->setEnabled(m.enabled);
    if (b->isHidden() == m.visible) b->setHidden(!m.visible);
    setCss(b,
           m.backColor >= 0 ? QStringLiteral("background-color:%1;").arg(cssColor(m.backColor)) : QString());
}

void setChecked(QAbstractButton* b, bool on) {
    if (b->isChecked() == on) return;
    const QSignalBlocker block(b);
    b->setChecked(on);
}

}  // namespace

void LookupClickLabel::mousePressEvent(QMouseEvent* e) {
    QLabel::mousePressEvent(e);
    emit clicked();
}

LookupPanelView::LookupPanelView(LookupPanel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setAccessibleName(QStringLiteral("単漢字表示"));
    model_.strokeOrderFaceInstalled = QFontDatabase::hasFamily(kStrokeOrderFace);
    auto* outer = new QVBoxLayout(this);

    auto* gradeRow = new QHBoxLayout;
    for (int g = 1; g <= 6; ++g) {
        auto* b = new QPushButton(this);
        b->setAccessibleName(QStringLiteral("Command202(%1)").arg(g));
        gradeRow->addWidget(b);
        grades_[static_cast<size_t>(g - 1)] = b;
        connect(b, &QPushButton::clicked, this, [this, g] { run([&] { model_.onGradeClick(g); }); });
    }
    outer->addLayout(gradeRow);

    auto* grid = new QGridLayout;
    grid->setSpacing(kCellGap);
    QFont cellFont(QStringLiteral("IPAMincho"));
    cellFont.setPointSize(kLookupFontSize);
    for (int k = 0; k < kLookupCells; ++k) {
        auto* cell = new LookupClickLabel(this);
        cell->setAccessibleName(QStringLiteral("Label101(%1)").arg(k));
        cell->setFixedSize(kCellPixels, kCellPixels);
        cell->setAlignment(Qt::AlignCenter);
        cell->setFont(cellFont);
        grid->addWidget(cell, k / 10, k % 10);
        cells_[static_cast<size_t>(k)] = cell;
        connect(cell, &LookupClickLabel::clicked, this, [this, k] { run([&] { model_.onCellClick(k); }); });
    }
    outer->addLayout(grid);

    auto* controls = new QHBoxLayout;
    page_ = new QPushButton(this);
    page_->setAccessibleName(QStringLiteral("Command101"));
    connect(page_, &QPushButton::clicked, this, [this] { run([&] { model_.onPageButton(); }); });
    controls->addWidget(page_);

    frame1_ = new QGroupBox(model_.frame1Caption, this);
    frame1_->setAccessibleName(QStringLiteral("Frame1"));
    frame1_->setToolTip(model_.frame1Tooltip);
    auto* frameRow = new QHBoxLayout(frame1_);
    option1_ = new QRadioButton(QStringLiteral("音"), frame1_);
    option1_->setAccessibleName(QStringLiteral("Option1"));
    option2_ = new QRadioButton(QStringLiteral("訓"), frame1_);
    option2_->setAccessibleName(QStringLiteral("Option2"));
    search_ = new QLineEdit(frame1_);
    search_->setAccessibleName(QStringLiteral("Text2"));
    search_->setToolTip(model_.text2Tooltip);
    frameRow->addWidget(option1_);
    frameRow->addWidget(option2_);
    frameRow->addWidget(search_);
    connect(option1_, &QRadioButton::clicked, this, [this] {
        run([&] { model_.onOption1Click(); });
        search_->setFocus();
    });
    connect(option2_, &QRadioButton::clicked, this, [this] {
        run([&] { model_.onOption2Click(); });
        search_->setFocus();
    });
    connect(search_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.setSearchText(t); });
    connect(search_, &QLineEdit::returnPressed, this, [this] { run([&] { model_.onSearch(); }); });
    controls->addWidget(frame1_, 1);
    outer->addLayout(controls);

    auto* options = new QHBoxLayout;
    check1_ = new QCheckBox(QStringLiteral("熟語編成"), this);
    check1_->setAccessibleName(QStringLiteral("Check1"));
    connect(check1_, &QCheckBox::clicked, this, [this] { run([&] { model_.onCheck1Click(); }); });
    strokeOrder_ = new QCheckBox(QStringLiteral("書き順"), this);
    strokeOrder_->setAccessibleName(QStringLiteral("書き順"));
    strokeOrder_->setToolTip(QStringLiteral("漢字練習帳の手本を書き順つきで印刷します"));
    connect(strokeOrder_, &QCheckBox::clicked, this, [this] { run([&] { model_.onStrokeOrderClick(); }); });
    command4_ = new QPushButton(this);
    command4_->setAccessibleName(QStringLiteral("Command4"));
    connect(command4_, &QPushButton::clicked, this, [this] { run([&] { model_.onExampleModeToggle(); }); });
    clear_ = new LookupClickLabel(this);
    clear_->setAccessibleName(QStringLiteral("Label202"));
    clear_->setFrameShape(QFrame::Panel);
    clear_->setFrameShadow(QFrame::Raised);
    clear_->setAlignment(Qt::AlignCenter);
    connect(clear_, &LookupClickLabel::clicked, this, [this] { run([&] { model_.onClearButton(); }); });
    options->addWidget(check1_);
    options->addWidget(strokeOrder_);
    options->addWidget(command4_);
    options->addWidget(clear_);
    outer->addLayout(options);

    for (int n = 0; n < 5; ++n) {
        auto* line = new LookupClickLabel(this);
        line->setAccessibleName(QStringLiteral("Label303(%1)").arg(n));
        line->setWordWrap(true);
        outer->addWidget(line);
        lines_[static_cast<size_t>(n)] = line;
        if (n < 4)
            connect(line, &LookupClickLabel::clicked, this,
                    [this, n] { run([&] { model_.onExampleClick(n); }); });
    }
    outer->addStretch(1);
    refresh();
}

void LookupPanelView::refresh() {
    if (isHidden() == model_.visible) setHidden(!model_.visible);
    for (int g = 1; g <= 6; ++g)
        setButton(grades_[static_cast<size_t>(g - 1)], model_.command202[static_cast<size_t>(g - 1)]);

    for (int k = 0; k < kLookupCells; ++k) {
        const LookupCell& m = model_.label101[static_cast<size_t>(k)];
        LookupClickLabel* cell = cells_[static_cast<size_t>(k)];
        setLabelText(cell, m.caption);
        if (cell->toolTip() != m.tooltip) cell->setToolTip(m.tooltip);
        setCss(cell, QStringLiteral("background-color:%1;border:%2;")
                         .arg(cssColor(m.backColor), m.border ? QStringLiteral("2px solid black")
                                                              : QStringLiteral("1px solid #a0a0a0")));
        if (cell->font().pointSize() != m.fontSize) {
            QFont f = cell->font();
            f.setPointSize(m.fontSize);
            cell->setFont(f);
        }
        if (cell->isHidden() == m.visible) cell->setHidden(!m.visible);
    }

    setButton(page_, model_.command101);
    setChecked(option1_, model_.option1);
    setChecked(option2_, model_.option2);
    if (search_->text() != model_.text2) search_->setText(model_.text2);
    setChecked(check1_, model_.check1);
    setChecked(strokeOrder_, model_.strokeOrder);
    setButton(command4_, model_.command4);

    for (int n = 0; n < 5; ++n) {
        const LookupLabel& m = model_.label303[static_cast<size_t>(n)];
        setLabelText(lines_[static_cast<size_t>(n)], m.caption);
        if (lines_[static_cast<size_t>(n)]->isHidden() == m.visible)
            lines_[static_cast<size_t>(n)]->setHidden(!m.visible);
    }
    setLabelText(clear_, model_.label202.caption);
    if (clear_->toolTip() != model_.label202.tooltip) clear_->setToolTip(model_.label202.tooltip);
}
