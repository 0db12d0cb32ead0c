#include "platform/windows/lookup_panel_view.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/printing/practice_book.h"
#include "platform/windows/accessible_names.h"
#include "platform/windows/control_binding.h"

namespace {

constexpr int kCellPixels = 34;  // a 22-point kanji with its margin
constexpr int kCellGap = 3;      // 50 twips

void setCss(QWidget* w, const QString& css) {
    if (w->styleSheet() != css) w->setStyleSheet(css);
}

}  // namespace

LookupPanelView::LookupPanelView(LookupPanel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setAccessibleName(QStringLiteral("単漢字表示"));
    model_.strokeOrderFaceInstalled = QFontDatabase::hasFamily(kStrokeOrderFace);
    auto* outer = new QVBoxLayout(this);

    auto* gradeRow = new QHBoxLayout;
    for (int g = 1; g <= 6; ++g) {
        auto* b = new QPushButton(this);
        accessible::nameByText(b, QStringLiteral("Command202(%1)").arg(g));
        // The six share the width of the cells below them, so the panel is no wider than its
        // cells: on a narrow screen it keeps beside the grid.
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        b->setMinimumWidth(36);
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
        accessible::nameByText(cell, QStringLiteral("Label101(%1)").arg(k));
        cell->setPressable(true);
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
    accessible::nameByText(page_, QStringLiteral("Command101"));
    connect(page_, &QPushButton::clicked, this, [this] { run([&] { model_.onPageButton(); }); });
    controls->addWidget(page_);

    frame1_ = new QGroupBox(model_.frame1Caption, this);
    accessible::nameByText(frame1_, QStringLiteral("Frame1"));
    accessible::setShownText(frame1_, model_.frame1Caption);
    frame1_->setToolTip(model_.frame1Tooltip);
    auto* frameRow = new QHBoxLayout(frame1_);
    option1_ = new QRadioButton(QStringLiteral("音"), frame1_);
    accessible::nameByText(option1_, QStringLiteral("Option1"));
    accessible::setShownText(option1_, option1_->text());
    option2_ = new QRadioButton(QStringLiteral("訓"), frame1_);
    accessible::nameByText(option2_, QStringLiteral("Option2"));
    accessible::setShownText(option2_, option2_->text());
    search_ = new QLineEdit(frame1_);
    accessible::nameByPurpose(search_, QStringLiteral("Text2"), QStringLiteral("検索するよみ"));
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
    connect(search_, &QLineEdit::textEdited, this,
            [this](const QString& t) { run([&] { model_.setSearchText(t); }); });
    connect(search_, &QLineEdit::returnPressed, this, [this] { run([&] { model_.onSearch(); }); });
    controls->addWidget(frame1_, 1);
    outer->addLayout(controls);

    auto* options = new QHBoxLayout;
    check1_ = new QCheckBox(QStringLiteral("熟語編成"), this);
    accessible::nameByText(check1_, QStringLiteral("Check1"));
    accessible::setShownText(check1_, check1_->text());
    connect(check1_, &QCheckBox::clicked, this, [this] { run([&] { model_.onCheck1Click(); }); });
    strokeOrder_ = new QCheckBox(QStringLiteral("書き順"), this);
    accessible::nameByText(strokeOrder_, {});
    accessible::setShownText(strokeOrder_, strokeOrder_->text());
    strokeOrder_->setToolTip(QStringLiteral("漢字練習帳の手本を書き順つきで印刷します"));
    connect(strokeOrder_, &QCheckBox::clicked, this, [this] { run([&] { model_.onStrokeOrderClick(); }); });
    command4_ = new QPushButton(this);
    accessible::nameByText(command4_, QStringLiteral("Command4"));
    connect(command4_, &QPushButton::clicked, this, [this] { run([&] { model_.onExampleModeToggle(); }); });
    clear_ = new LookupClickLabel(this);
    accessible::nameByText(clear_, QStringLiteral("Label202"));
    clear_->setPressable(true);
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
        accessible::nameByText(line, QStringLiteral("Label303(%1)").arg(n));
        line->setPressable(n < 4);
        line->setWordWrap(true);
        outer->addWidget(line);
        lines_[static_cast<size_t>(n)] = line;
        if (n < 4)
            connect(line, &LookupClickLabel::clicked, this,
                    [this, n] { run([&] { model_.onExampleClick(n); }); });
    }
    outer->addStretch(1);
    // Arrow keys move between the cells; the Tab order is the order the widgets were made in.
    for (LookupClickLabel* cell : cells_) cell->installEventFilter(this);
    refresh();
}

std::vector<QWidget*> LookupPanelView::tabChain() const {
    std::vector<QWidget*> chain(grades_.begin(), grades_.end());
    chain.insert(chain.end(), cells_.begin(), cells_.end());
    chain.insert(chain.end(), {page_, option1_, option2_, search_, check1_, strokeOrder_, command4_, clear_});
    chain.insert(chain.end(), lines_.begin(), lines_.begin() + 4);
    return chain;
}

bool LookupPanelView::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, e);
    const auto* k = static_cast<QKeyEvent*>(e);
    int step = 0;
    switch (k->key()) {
    case Qt::Key_Left: step = -1; break;
    case Qt::Key_Right: step = 1; break;
    case Qt::Key_Up: step = -10; break;
    case Qt::Key_Down: step = 10; break;
    default: return QWidget::eventFilter(watched, e);
    }
    const auto at = std::find(cells_.begin(), cells_.end(), watched);
    if (at == cells_.end() || k->modifiers() != Qt::NoModifier) return QWidget::eventFilter(watched, e);
    // The next cell that shows a kanji that way, if there is one.
    for (int k2 = static_cast<int>(at - cells_.begin()) + step; k2 >= 0 && k2 < kLookupCells; k2 += step) {
        LookupClickLabel* next = cells_[static_cast<size_t>(k2)];
        if (next->pressable() && next->isVisible()) {
            next->setFocus(Qt::TabFocusReason);
            break;
        }
    }
    return true;
}

void LookupPanelView::refresh() {
    if (isHidden() == model_.visible) setHidden(!model_.visible);
    for (int g = 1; g <= 6; ++g)
        binding::setButton(grades_[static_cast<size_t>(g - 1)],
                           model_.command202[static_cast<size_t>(g - 1)]);

    for (int k = 0; k < kLookupCells; ++k) {
        const LookupCell& m = model_.label101[static_cast<size_t>(k)];
        LookupClickLabel* cell = cells_[static_cast<size_t>(k)];
        binding::setText(cell, m.caption);
        cell->setPressable(m.visible && !m.caption.isEmpty());
        if (cell->toolTip() != m.tooltip) cell->setToolTip(m.tooltip);
        setCss(cell,
               QStringLiteral("background-color:%1;border:%2;")
                   .arg(colorFromBgr(m.backColor).name(),
                        m.border ? QStringLiteral("2px solid black") : QStringLiteral("1px solid #a0a0a0")));
        if (cell->font().pointSize() != m.fontSize) {
            QFont f = cell->font();
            f.setPointSize(m.fontSize);
            cell->setFont(f);
        }
        if (cell->isHidden() == m.visible) cell->setHidden(!m.visible);
    }

    binding::setButton(page_, model_.command101);
    binding::setChecked(option1_, model_.option1);
    binding::setChecked(option2_, model_.option2);
    if (search_->text() != model_.text2) search_->setText(model_.text2);
    binding::setChecked(check1_, model_.check1);
    binding::setChecked(strokeOrder_, model_.strokeOrder);
    binding::setButton(command4_, model_.command4);

    for (int n = 0; n < 5; ++n) {
        const LabelControl& m = model_.label303[static_cast<size_t>(n)];
        binding::setText(lines_[static_cast<size_t>(n)], m.caption);
        if (n < 4) lines_[static_cast<size_t>(n)]->setPressable(!m.caption.isEmpty());
        if (lines_[static_cast<size_t>(n)]->isHidden() == m.visible)
            lines_[static_cast<size_t>(n)]->setHidden(!m.visible);
    }
    binding::setText(clear_, model_.label202.caption);
    if (clear_->toolTip() != model_.label202.tooltip) clear_->setToolTip(model_.label202.tooltip);
    emit refreshed();
}
