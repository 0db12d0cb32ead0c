#include "platform/main_window_view.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTextCharFormat>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "core/windows/main/commands.h"
#include "platform/qt_platform.h"
#include "platform/windows/accessible_names.h"
#include "platform/windows/control_binding.h"
#include "platform/windows/lookup_panel_view.h"
#include "platform/windows/memory_list_view.h"
#include "platform/windows/test_builder_view.h"
#include "platform/windows/window_factory.h"
#include "platform/windows/window_view.h"

namespace {

constexpr int px(int twips) {
    return twips / 15;
}

void setBack(QWidget* w, int color, bool border = false) {
    QString css;
    if (color >= 0) css += QStringLiteral("background-color:%1;").arg(colorFromBgr(color).name());
    css += border ? QStringLiteral("border:1px solid black;") : QStringLiteral("border:none;");
    if (w->styleSheet() != css) w->setStyleSheet(css);
}

const char* const kCellNames[9] = {"",       "",        "Label2",  "Label3", "Label4",
                                   "Label5", "Label33", "Label44", "Label55"};

// Glyph and colour of each picture of the toolbar's image list.
struct PictureLook {
    Picture picture;
    const char16_t* glyph;
    int color;
};
const PictureLook kPictures[] = {
    {kOpenPicture, u"開", 0x2E7D32},         {kNewPicture, u"新", 0x1565C0},
    {kBlankPagePicture, u"頁", 0x6A1B9A},    {kSavePicture, u"保", 0x37474F},
    {kDictationPicture, u"書", 0xC62828},    {kTracingPicture, u"練", 0xAD1457},
    {kReadingPicture, u"読", 0x00838F},      {kReadingSetPicture, u"２", 0x00838F},
    {kThreeSheetsPicture, u"３", 0xEF6C00},  {kSentencePicture, u"文", 0x4E342E},
    {kLookupPictureHidden, u"漢", 0x283593}, {kLookupPictureShown, u"閉", 0x283593},
    {kManuscriptPicture, u"原", 0x558B2F},   {kFontPicture, u"字", 0x5D4037},
    {kMemoryPictureEmpty, u"記", 0x757575},  {kMemoryPictureHolding, u"戻", 0xF9A825},
    {kHelpPicture, u"？", 0x0277BD},         {kExitPicture, u"終", 0xB71C1C},
    {kGradeListPicture, u"表", 0x00695C},    {kPracticeBookPicture, u"帳", 0x6D4C41},
    {kCompanyPicture, u"社", 0x1B5E20},      {kTextFlowPicture, u"流", 0x4527A0},
    {kTestBuilderPicture, u"試", 0x00897B},
};

// What a row holds, as it reads: かけっこで 漢字（かんじ） をする.
QString rowContent(const GridRow& g) {
    QStringList parts;
    for (int c : {kColBefore, kColKanji, kColAfter, kColKanji2, kColAfter2}) {
        QString text = g.cell(c).text;
        if (c == kColKanji || c == kColKanji2) {
            const QString reading = g.cell(c + 1).text;
            if (!text.isEmpty() && !reading.isEmpty()) text += QStringLiteral("（%1）").arg(reading);
        }
        if (!text.isEmpty()) parts << text;
    }
    return parts.join(u' ');
}

}  // namespace

QIcon toolbarPicture(Picture picture) {
    const PictureLook* p = nullptr;
    for (const PictureLook& c : kPictures)
        if (c.picture == picture) p = &c;
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter g(&pm);
    g.setRenderHint(QPainter::Antialiasing);
    const QColor color = p ? QColor::fromRgb(static_cast<QRgb>(p->color)) : QColor(Qt::gray);
    g.setBrush(color.lighter(185));
    g.setPen(QPen(color, 2));
    g.drawRoundedRect(QRectF(2, 2, 28, 28), 6, 6);
    QFont f(QStringLiteral("IPAGothic"));
    f.setPixelSize(20);
    f.setBold(true);
    g.setFont(f);
    g.setPen(color.darker(130));
    g.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter,
               p ? QString::fromUtf16(p->glyph) : QString::number(static_cast<int>(picture)));
    return QIcon(pm);
}

EntryBox::EntryBox(MainWindow& model, QtPlatform& platform, QWidget* parent)
    : QLineEdit(parent), model_(model), platform_(platform) {
    setAttribute(Qt::WA_InputMethodEnabled);
}

bool EntryBox::composing() const {
    return platform_.readingTracker().composing();
}

bool EntryBox::event(QEvent* e) {
    // Ctrl+Z first undoes the box's own typing, as any text box does; with nothing of its own
    // left to undo (or redo) the keys reach 元に戻す and やり直し of the menu.
    if (e->type() == QEvent::ShortcutOverride) {
        auto* k = static_cast<QKeyEvent*>(e);
        const QKeyCombination key = k->keyCombination();
        const bool undo = k->matches(QKeySequence::Undo);
        const bool redo = k->matches(QKeySequence::Redo) || key == QKeyCombination(Qt::CTRL, Qt::Key_Y) ||
                          key == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z);
        if ((undo && !isUndoAvailable()) || (redo && !isRedoAvailable())) {
            e->ignore();
            return true;
        }
    }
    return QLineEdit::event(e);
}

void ClickLabel::setMarks(const Marks& unlearned, const Marks& leak) {
    if (unlearned == unlearned_ && leak == leak_) return;
    unlearned_ = unlearned;
    leak_ = leak;
    update();
}

void ClickLabel::paintEvent(QPaintEvent* e) {
    PressableLabel::paintEvent(e);
    if (unlearned_.empty() && leak_.empty()) return;
    QPainter p(this);
    const QFontMetricsF fm(font());
    const QRectF r = contentsRect();
    const double y = std::min(r.center().y() + fm.height() / 2 + 1, r.bottom() - 1);
    const QString t = text();
    const auto underline = [&](const Marks& marks, const QColor& color, Qt::PenStyle style) {
        QPen pen(color, 2, style);
        p.setPen(pen);
        for (const auto& [index, length] : marks) {
            if (index + length > t.size()) continue;
            const double x0 =
                r.left() + std::max(0, indent()) + margin() + fm.horizontalAdvance(t.left(index));
            const double x1 =
                r.left() + std::max(0, indent()) + margin() + fm.horizontalAdvance(t.left(index + length));
            p.drawLine(QPointF(x0, y), QPointF(x1, y));
        }
    };
    underline(unlearned_, QColor(0xB0, 0x00, 0x00), Qt::SolidLine);
    underline(leak_, QColor(0x00, 0x30, 0xC0), Qt::DashLine);
}

void EntryBox::inputMethodEvent(QInputMethodEvent* e) {
    bool converted = false;
    for (const QInputMethodEvent::Attribute& a : e->attributes()) {
        if (a.type != QInputMethodEvent::TextFormat || a.length <= 0) continue;
        const QTextCharFormat f = qvariant_cast<QTextFormat>(a.value).toCharFormat();
        if (f.background().style() != Qt::NoBrush) converted = true;
    }
    platform_.readingTracker().onInputMethodEvent(e->preeditString(), converted, e->commitString());
    if (e->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(e);
        return;
    }
    // A commit is one event: the page is stored before the text lands, then the text edit.
    model_.handle([&] {
        model_.onEntryKeyPress(0);
        applyingCommit_ = true;
        QLineEdit::inputMethodEvent(e);
        applyingCommit_ = false;
    });
}

void EntryBox::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        model_.handle([&] { model_.onEntryKeyPress(e->key()); });
        e->accept();
        return;
    }
    // Text typed without the input method carries no reading.
    if (!e->text().isEmpty() && e->text().at(0).isPrint()) platform_.readingTracker().forgetLastCommit();
    if (e->matches(QKeySequence::Paste)) platform_.readingTracker().forgetLastCommit();
    // One key is one event: the model hears it before the box takes it, then the text edit.
    model_.handle([&] {
        model_.onEntryKeyPress(e->key(), e->text());
        QLineEdit::keyPressEvent(e);
    });
}

void EntryBox::paintEvent(QPaintEvent* e) {
    QLineEdit::paintEvent(e);
    emit painted();
}

void EntryBox::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    model_.handle([this] { model_.onEntryFocus(); });
}

MainWindowView::MainWindowView(MainWindow& model, QtPlatform& platform) : model_(model), platform_(platform) {
    setObjectName(QStringLiteral("form1"));
    accessible::nameByPurpose(this, model_.caption, model_.windowTitle());
    platform_.setParentWidget(this);
    // The test window keeps the class's results in the user's own database file.
    if (!model_.testBuilderWindow.openResults) model_.testBuilderWindow.openResults = openUserResults;
    buildMenus();
    buildToolbar();
    buildStatusBar();
    buildCentral();
    qApp->installEventFilter(this);
    model_.changed = [this] { refresh(); };
    model_.showNow = [this] {
        refresh();
        repaint();
        for (const auto& [id, view] : views_)
            if (view && view->isVisible()) view->repaint();
    };
    refresh();
}

void MainWindowView::buildMenus() {
    QSet<QString> parents;
    for (const MenuItem& m : model_.menus) parents.insert(m.parent);
    for (const MenuItem& m : model_.menus) {
        const Command* c = menuCommand(m.name);
        QMenu* owner = m.parent.isEmpty() ? nullptr : menuMenus_.value(m.parent);
        QString title = m.caption;
        if (c && c->accessKey) title += QStringLiteral("(&%1)").arg(QLatin1Char(c->accessKey));
        if (parents.contains(m.name)) {
            QMenu* sub = owner ? owner->addMenu(title) : menuBar()->addMenu(title);
            sub->setObjectName(m.name);
            sub->setAccessibleName(m.caption);
            menuMenus_.insert(m.name, sub);
            menuActions_.insert(m.name, sub->menuAction());
            continue;
        }
        if (!owner) continue;
        QAction* a = m.separator ? owner->addSeparator() : owner->addAction(title);
        a->setObjectName(m.name);
        a->setCheckable(c && c->checkable);
        // Several shortcuts are separated by ";" (やり直し: Ctrl+Y and Ctrl+Shift+Z).
        if (c && *c->shortcut) {
            QList<QKeySequence> keys;
            for (const QString& k : QString::fromLatin1(c->shortcut).split(u';')) keys << QKeySequence(k);
            a->setShortcuts(keys);
        }
        a->setProperty("caption", m.caption);
        menuActions_.insert(m.name, a);
        if (!m.separator) {
            const QString name = m.name;
            connect(a, &QAction::triggered, this, [this, name] {
                model_.handle([&] { model_.onMenu(name); });
                if (model_.isClosed()) close();
            });
        }
    }
}

void MainWindowView::buildToolbar() {
    // Qt names a toolbar by its title, which the toolbar menu shows too.
    const QString toolbarName =
        accessible::designNames() ? QStringLiteral("Toolbar1") : QStringLiteral("ツールバー");
    toolbar_ = addToolBar(toolbarName);
    toolbar_->setObjectName(QStringLiteral("Toolbar1"));
    accessible::nameByPurpose(toolbar_, QStringLiteral("Toolbar1"), toolbarName);
    toolbar_->setIconSize(QSize(24, 24));
    toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolbar_->setMovable(false);
    // Flat tool buttons show no focus of their own: a frame shows which one Tab reached.
    toolbar_->setStyleSheet(
        QStringLiteral("QToolButton:focus{border:2px solid palette(highlight);border-radius:3px;}"));
    for (int i = 1; i <= kLastToolbarButton; ++i) {
        const ToolButton& b = model_.toolbar[static_cast<size_t>(i)];
        QAction* a = nullptr;
        if (b.separator) {
            a = toolbar_->addSeparator();
        } else {
            a = toolbar_->addAction(toolbarPicture(b.picture), b.caption);
            a->setToolTip(b.tooltip);
            a->setProperty("picture", static_cast<int>(b.picture));
            a->setObjectName(QStringLiteral("Toolbar1_%1").arg(i));
            connect(a, &QAction::triggered, this, [this, i] {
                model_.handle([&] { model_.onToolbarClick(i); });
                if (model_.isClosed()) close();
            });
            if (QWidget* w = toolbar_->widgetForAction(a)) {
                w->setFocusPolicy(Qt::TabFocus);  // the commands without a menu item too
                // The button shows a picture only: it is named by the command's caption.
                w->setAccessibleName(b.caption.isEmpty() ? b.tooltip : b.caption);
                w->setAccessibleDescription(b.tooltip);
            }
        }
        toolActions_[static_cast<size_t>(i)] = a;
    }
}

void MainWindowView::buildStatusBar() {
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    accessible::nameByPurpose(statusBar(), {}, QStringLiteral("ステータスバー"));
    const int widths[6] = {0, 260, 120, 110, 60, 100};
    // A panel reads as its text; what the panel shows is its description.
    const char16_t* const shows[6] = {u"", u"ファイル", u"フォント", u"文字の大きさ", u"頁", u"教科書会社"};
    for (int i = 1; i <= 5; ++i) {
        auto* l = new QLabel(statusBar());
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(widths[i]);
        l->setObjectName(QStringLiteral("StatusBar1_Panel%1").arg(i));
        accessible::nameByText(l, QStringLiteral("StatusBar1 パネル%1").arg(i));
        accessible::describe(l, QString::fromUtf16(shows[i]));
        statusBar()->addWidget(l, i == 1 ? 2 : 0);
        panels_[static_cast<size_t>(i)] = l;
    }
}

void MainWindowView::buildCentral() {
    // The client area keeps its size and stays centred in a larger window; a smaller window
    // scrolls it.
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("form1_scroll"));
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);  // Tab goes to the controls inside
    central_ = new QWidget(scroll_);
    central_->setObjectName(QStringLiteral("form1_client"));
    scroll_->setWidget(central_);
    setCentralWidget(scroll_);
    QFont cellFont(QStringLiteral("ＭＳ Ｐ明朝"));
    cellFont.setPixelSize(17);
    QFont readingFont(QStringLiteral("ＭＳ Ｐ明朝"));
    readingFont.setPixelSize(11);

    combo_ = new QComboBox(central_);
    combo_->setObjectName(QStringLiteral("Combo1"));
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setGeometry(px(360), 8, 220, 26);
    accessible::nameByPurpose(combo_, QStringLiteral("Combo1 見出し"), QStringLiteral("見出し"));
    accessible::nameByPurpose(combo_->lineEdit(), {}, QStringLiteral("見出し"));
    // Qt names a combo box by its text; what the box is for is its description.
    accessible::describe(combo_, QStringLiteral("見出し"));
    combo_->lineEdit()->installEventFilter(this);
    connect(combo_->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& t) {
        if (!refreshing_) model_.handle([&] { model_.onHeadingBoxTextEdited(t); });
    });
    connect(combo_, &QComboBox::activated, this, [this](int index) {
        if (refreshing_) return;
        model_.handle([&] { model_.choosePage(index); });
    });

    register_ = new QPushButton(central_);
    register_->setObjectName(QStringLiteral("Command2"));
    register_->setGeometry(px(360) + 228, 8, 90, 26);
    accessible::nameByText(register_, {});
    connect(register_, &QPushButton::clicked, this,
            [this] { model_.handle([this] { model_.registerHeading(); }); });

    label9_ = new QLabel(central_);
    label9_->setObjectName(QStringLiteral("Label9"));
    accessible::nameByText(label9_, QStringLiteral("Label9"));
    label9_->setGeometry(px(360), 42, 200, 22);
    QFont headingFont(QStringLiteral("ＭＳ Ｐゴシック"));
    headingFont.setPixelSize(15);
    headingFont.setBold(true);
    label9_->setFont(headingFont);
    label11_ = new QLabel(central_);
    label11_->setObjectName(QStringLiteral("Label11"));
    accessible::nameByText(label11_, QStringLiteral("Label11"));
    label11_->setGeometry(px(360) + 205, 42, 220, 22);
    label12_ = new QLabel(central_);
    label12_->setObjectName(QStringLiteral("Label12"));
    accessible::nameByText(label12_, QStringLiteral("Label12"));
    QFont titleFont(QStringLiteral("ＭＳ Ｐ明朝"));
    titleFont.setPixelSize(30);
    label12_->setFont(titleFont);
    label12_->setAlignment(Qt::AlignCenter);
    label12_->setGeometry(40, 150, 560, 120);
    label12_->setStyleSheet(QStringLiteral("color:#5d4037;"));
    label10_ = new QLabel(central_);
    label10_->setObjectName(QStringLiteral("Label10"));
    accessible::nameByText(label10_, QStringLiteral("Label10"));
    label10_->setGeometry(px(360) + 330, 8, 150, 26);

    for (int r = 1; r <= 10; ++r) {
        auto* chk = new QCheckBox(central_);
        chk->setObjectName(QStringLiteral("Check3(%1)").arg(r));
        accessible::nameByPurpose(chk, QStringLiteral("Check3(%1)").arg(r), accessible::secondWordName(r));
        chk->setGeometry(4, px(rowTop(r)) + 4, 18, 20);
        connect(chk, &QCheckBox::clicked, this, [this, r] {
            model_.handle([&] { model_.onCheck3Click(r); });
            entry_->setFocus();
        });
        checks_[static_cast<size_t>(r)] = chk;
        auto* num = new ClickLabel(central_);
        num->setObjectName(QStringLiteral("Label1(%1)").arg(r));
        accessible::nameByPurpose(num, QStringLiteral("Label1(%1)").arg(r), accessible::numberButtonName(r));
        num->setAlignment(Qt::AlignCenter);
        num->setToolTip(QStringLiteral("削除して記憶"));
        connect(num, &ClickLabel::clicked, this,
                [this, r] { model_.handle([&] { model_.onNumberLabelClick(r); }); });
        numbers_[static_cast<size_t>(r)] = num;
        for (int c = kColBefore; c <= kColAfter2; ++c) {
            auto* cell = new ClickLabel(central_);
            const QString name = QStringLiteral("%1(%2)").arg(QString::fromLatin1(kCellNames[c])).arg(r);
            cell->setObjectName(name);
            accessible::nameByPurpose(cell, name, accessible::cellName(r, c, QString()));
            const bool reading = c == kColReading || c == kColReading2;
            cell->setFont(reading ? readingFont : cellFont);
            cell->setAlignment(reading ? Qt::AlignLeft | Qt::AlignBottom : Qt::AlignLeft | Qt::AlignVCenter);
            connect(cell, &ClickLabel::clicked, this, [this, r, c] {
                model_.handle([&] { model_.onCellClick(r, c); });
                entry_->setFocus();
            });
            cells_[static_cast<size_t>(r)][static_cast<size_t>(c)] = cell;
        }
    }

    const int bottom = px(rowTop(11)) + 10;
    entry_ = new EntryBox(model_, platform_, central_);
    entry_->setObjectName(QStringLiteral("Text1"));
    accessible::nameByPurpose(entry_, QStringLiteral("Text1"), QStringLiteral("入力"));
    QFont entryFont(QStringLiteral("ＭＳ Ｐ明朝"));
    entryFont.setPixelSize(20);
    entry_->setFont(entryFont);
    entry_->setGeometry(px(360), bottom, 380, 34);
    connect(entry_, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (refreshing_) return;
        // Text that arrives without the input method (pasted from the menu, dropped) has no
        // reading; a deletion keeps asking for the last conversion's reading.
        if (!entry_->applyingCommit() && t.size() > model_.entry.text.size())
            platform_.readingTracker().forgetLastCommit();
        model_.handle([&] { model_.onEntryTextEdited(t); });
    });
    auto mk = [this](const QString& name, const QString& text, QRect geo) {
        auto* l = new QLabel(text, central_);
        l->setObjectName(name);
        accessible::nameByText(l, name);
        accessible::setShownText(l, text);
        l->setGeometry(geo);
        return l;
    };
    label13_ = mk(QStringLiteral("Label13"), QStringLiteral("0"), QRect(px(360) + 388, bottom + 6, 28, 22));
    label17_ =
        mk(QStringLiteral("Label17"), QStringLiteral("文字"), QRect(px(360) + 416, bottom + 6, 32, 22));
    label16_ = mk(QStringLiteral("Label16"), QStringLiteral("▲"), QRect(px(360) + 95, bottom + 34, 16, 14));
    label15_ = mk(QStringLiteral("Label15"), QStringLiteral("▲"), QRect(px(360) + 190, bottom + 34, 16, 14));
    label6_ = mk(QStringLiteral("Label6"), QStringLiteral("作業№"), QRect(px(360) + 456, bottom + 6, 70, 22));
    label6_->setAlignment(Qt::AlignCenter);
    // The marks under the fifth and tenth characters; the count reads as "5文字".
    accessible::nameByPurpose(label16_, QStringLiteral("Label16"), QStringLiteral("5文字目の印"));
    accessible::nameByPurpose(label15_, QStringLiteral("Label15"), QStringLiteral("10文字目の印"));
    accessible::nameByPurpose(label13_, QStringLiteral("Label13"), QStringLiteral("0文字"));
    accessible::nameByPurpose(label6_, QStringLiteral("Label6"), label6_->text());
    label16_->setAlignment(Qt::AlignCenter);
    label15_->setAlignment(Qt::AlignCenter);
    connect(entry_, &QLineEdit::cursorPositionChanged, this, [this] { placeMarkers(); });
    connect(entry_, &EntryBox::painted, this, [this] { placeMarkers(); });
    label18_ = new ClickLabel(central_);
    label18_->setObjectName(QStringLiteral("Label18"));
    accessible::nameByText(label18_, QStringLiteral("Label18"));
    label18_->setGeometry(px(360), bottom + 52, 200, 20);
    label18_->setStyleSheet(QStringLiteral("color:#c62828;"));
    connect(label18_, &ClickLabel::clicked, this,
            [this] { model_.handle([this] { model_.onLabel18Click(); }); });

    // The on-screen arrow pad: Image1 is the pad, Image2..5 up, down, left, right.
    const QString glyphs[6] = {QString(),           QString(),           QStringLiteral("▲"),
                               QStringLiteral("▼"), QStringLiteral("◀"), QStringLiteral("▶")};
    const QPoint pos[6] = {{}, {}, {32, 0}, {32, 56}, {0, 28}, {64, 28}};
    const char16_t* const moves[6] = {u"", u"十字キー", u"上へ", u"下へ", u"左へ", u"右へ"};
    const int padX = px(360) + 540, padY = bottom - 20;
    for (int i = 1; i <= 5; ++i) {
        auto* a = new ClickLabel(central_);
        a->setObjectName(QStringLiteral("Image%1").arg(i));
        accessible::nameByPurpose(
            a, i == 1 ? QStringLiteral("Image1") : QStringLiteral("Image%1 %2").arg(i).arg(glyphs[i]),
            QString::fromUtf16(moves[i]));
        if (i == 1) {
            a->setGeometry(padX - 4, padY - 4, 100, 92);
            a->setStyleSheet(QStringLiteral("background:#eceff1;border-radius:8px;"));
        } else {
            a->setText(glyphs[i]);
            accessible::setShownText(a, glyphs[i]);
            a->setAlignment(Qt::AlignCenter);
            a->setGeometry(padX + pos[i].x(), padY + pos[i].y(), 28, 28);
            a->setStyleSheet(QStringLiteral("font-size:20px;color:#1565c0;"));
            a->setPressable(true);
            connect(a, &ClickLabel::clicked, this, [this, a, i] {
                model_.handle([&] { model_.onArrowImageClick(i); });
                // Pressed from the keyboard, the arrow keeps the focus for the next press.
                if (!a->hasFocus()) entry_->setFocus();
            });
        }
        arrows_[static_cast<size_t>(i)] = a;
    }
    arrows_[1]->lower();

    // The lookup panel beside the grid, the memory panel beside it.
    lookup_ = new LookupPanelView(model_.lookupPanel, central_);
    lookup_->setObjectName(QStringLiteral("Frame1_panel"));
    lookup_->adjustSize();
    lookup_->hide();
    // The panels' events change the workbook and the main window: they come in by the door.
    lookup_->door = [this](const std::function<void()>& event) { model_.handle(event); };
    memory_ = new MemoryListView(model_.memoryList, central_);
    memory_->setObjectName(QStringLiteral("memory_panel"));
    memory_->adjustSize();
    memory_->hide();
    memory_->door = [this](const std::function<void()>& event) { model_.handle(event); };
    gridBottom_ = bottom + 90;

    // Tab walks the window from the toolbar to the heading box and its register button and
    // straight on to the entry box, where the typing is done; then each row's toggle and
    // number button from top to bottom (the number button reads out what its row holds), the
    // arrow pad, the tracing mark, the lookup panel and the memory list. Every stop is
    // focusable while the chain is made; the ones with nothing to show are switched off in
    // refresh().
    for (int r = 1; r <= 10; ++r) numbers_[static_cast<size_t>(r)]->setPressable(true);
    label18_->setPressable(true);
    std::vector<QWidget*> chain;
    for (int i = 1; i <= kLastToolbarButton; ++i)
        if (QAction* a = toolActions_[static_cast<size_t>(i)]; a && !a->isSeparator())
            chain.push_back(toolbar_->widgetForAction(a));
    // On a narrow screen the last buttons move behind the toolbar's extension button.
    if (auto* more = toolbar_->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"))) {
        more->setFocusPolicy(Qt::TabFocus);
        accessible::nameByPurpose(more, {}, QStringLiteral("ほかのボタン"));
        chain.push_back(more);
    }
    chain.insert(chain.end(), {combo_, register_, entry_});
    for (int r = 1; r <= 10; ++r) {
        chain.push_back(checks_[static_cast<size_t>(r)]);
        chain.push_back(numbers_[static_cast<size_t>(r)]);
    }
    for (int i = 2; i <= 5; ++i) chain.push_back(arrows_[static_cast<size_t>(i)]);
    chain.push_back(label18_);
    for (QWidget* w : lookup_->tabChain()) chain.push_back(w);
    for (QWidget* w : memory_->tabChain()) chain.push_back(w);
    for (size_t i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void MainWindowView::refresh() {
    if (refreshing_) return;
    refreshing_ = true;
    const MainWindow& m = model_;
    if (const QString title = m.windowTitle(); windowTitle() != title) {
        setWindowTitle(title);
        accessible::rename(this, title);
    }
    // The panels stand right of the grid; the client area is as wide as the window state
    // says, never narrower than the menu bar needs, and tall enough for every part.
    lookup_->setVisible(m.lookupPanel.visible);
    lookup_->refresh();
    memory_->setVisible(m.memoryList.visible);
    memory_->refresh();
    // Panels built with layouts take their natural size once they are shown.
    for (QWidget* panel : {static_cast<QWidget*>(lookup_), static_cast<QWidget*>(memory_)})
        if (panel->isVisibleTo(central_) && panel->size() != panel->sizeHint())
            panel->resize(panel->sizeHint());
    placePanels();
    int width = qMax(px(m.widthTwips), 900);
    int height = gridBottom_;
    for (QWidget* panel : {static_cast<QWidget*>(lookup_), static_cast<QWidget*>(memory_)}) {
        if (!panel->isVisibleTo(central_)) continue;
        width = qMax(width, panel->geometry().right() + 8);
        height = qMax(height, panel->geometry().bottom() + 8);
    }
    if (central_->size() != QSize(width, height)) {
        central_->setFixedSize(width, height);
        fitToClientArea();
    }

    for (const MenuItem& item : m.menus) {
        QAction* a = menuActions_.value(item.name);
        if (!a) continue;
        a->setEnabled(item.enabled);
        a->setVisible(item.visible);
        if (a->isCheckable()) a->setChecked(item.checked);
        // Captions that change (元に戻す「流し込み」) keep their access letter.
        const QString shown = a->property("caption").toString();
        if (!shown.isEmpty() && shown != item.caption) {
            a->setText(a->text().replace(shown, item.caption));
            a->setProperty("caption", item.caption);
        }
    }
    for (int i = 1; i <= kLastToolbarButton; ++i) {
        const ToolButton& b = m.toolbar[static_cast<size_t>(i)];
        QAction* a = toolActions_[static_cast<size_t>(i)];
        if (!a || b.separator) continue;
        a->setEnabled(b.enabled);
        a->setVisible(b.visible);
        if (a->property("picture").toInt() != b.picture) {
            a->setIcon(toolbarPicture(b.picture));
            a->setProperty("picture", static_cast<int>(b.picture));
        }
    }
    const std::array<QString, 6> panelTexts = m.statusPanels();
    for (int i = 1; i <= 5; ++i)
        binding::setText(panels_[static_cast<size_t>(i)], panelTexts[static_cast<size_t>(i)]);

    // Heading box: the list is the heading list, its text the page's heading.
    const QStringList& items = m.workbook().headingList;
    QStringList shown;
    for (int i = 0; i < combo_->count(); ++i) shown << combo_->itemText(i);
    if (shown != items) {
        combo_->clear();
        combo_->addItems(items);
    }
    if (combo_->currentText() != m.combo1.text) combo_->setEditText(m.combo1.text);
    combo_->setEnabled(m.combo1.enabled);
    setBack(combo_->lineEdit(), m.combo1.backColor);
    accessible::setShownText(combo_, m.combo1.text);
    register_->setText(m.command2.caption);
    accessible::setShownText(register_, m.command2.caption);
    register_->setVisible(m.command2.visible);
    register_->setEnabled(m.command2.enabled);
    binding::setText(label9_, m.label9.caption);
    binding::setText(label11_, m.label11.caption);
    label11_->setVisible(m.label11.visible);
    binding::setText(label12_, m.label12.caption);
    label12_->setVisible(m.label12.visible);
    binding::setText(label10_, m.label10.caption);
    binding::setText(label18_, m.label18.caption);
    label18_->setPressable(!m.label18.caption.isEmpty());
    accessible::describe(label18_, m.label18.caption.isEmpty()
                                       ? QString()
                                       : QStringLiteral("押すと練習（なぞり書き）をなしにします"));

    for (int r = 1; r <= 10; ++r) {
        const GridRow& g = m.grid.at(r);
        ClickLabel* num = numbers_[static_cast<size_t>(r)];
        binding::setText(num, g.number);
        num->setPressable(!g.number.isEmpty());
        // A screen reader on the row's number button reads what the row holds.
        accessible::describe(num, rowContent(g));
        num->setGeometry(px(kNumberLeft), px(rowTop(r)) + 2, px(kNumberWidth), 26);
        setBack(num, g.number.isEmpty() ? -1 : g.numberColor);
        QCheckBox* chk = checks_[static_cast<size_t>(r)];
        chk->setChecked(g.check3);
        chk->setEnabled(g.check3Enabled);
        chk->setToolTip(g.check3Tooltip);
        chk->setAccessibleDescription(g.check3Tooltip);
        for (int c = kColBefore; c <= kColAfter2; ++c) {
            const GridCell& cell = g.cell(c);
            ClickLabel* l = cells_[static_cast<size_t>(r)][static_cast<size_t>(c)];
            binding::setText(l, cell.text);
            accessible::rename(l, accessible::cellName(r, c, cell.text));
            const bool reading = c == kColReading || c == kColReading2;
            const int top = px(rowTop(r)) + (reading ? -14 : 2);
            // A row's cells end where the reading of the row below begins (40 px a row).
            l->setGeometry(px(cell.left), top, px(cell.width), reading ? 15 : 24);
            setBack(l, cell.backColor, cell.border);
            l->setVisible(cell.visible);
            // Unlearned kanji and answers that show in another row: marked, told in the tooltip
            // and to a screen reader.
            l->setMarks(cell.unlearnedMarks, cell.leakMarks);
            if (l->toolTip() != cell.markNote) l->setToolTip(cell.markNote);
            accessible::describe(l, cell.markNote);
        }
    }
    // Never disturb the entry box while the input method is composing in it.
    if (!entry_->composing() && entry_->text() != m.entry.text) entry_->setText(m.entry.text);
    entry_->setEnabled(m.entry.enabled);
    setBack(entry_, m.entry.backColor, true);
    entry_->setToolTip(m.entry.tooltip);
    // A screen reader says which cell the entry box edits, and on a kanji cell the reading
    // above it, so that a reading the input method filled in is heard as it changes.
    QString place;
    if (m.entry.enabled) {
        place = accessible::placeName(m.grid.row, m.grid.col);
        if (m.grid.col == kColKanji || m.grid.col == kColKanji2)
            if (const QString reading = m.grid.at(m.grid.row).cell(m.grid.col + 1).text; !reading.isEmpty())
                place += QStringLiteral(" よみ ") + reading;
    }
    accessible::describe(entry_, place);
    binding::setText(label13_, QString::number(m.entry.charCount));
    accessible::rename(label13_, QStringLiteral("%1文字").arg(m.entry.charCount));
    placeMarkers();
    binding::setText(label6_, m.grid.workNumber);
    accessible::rename(label6_, m.grid.workNumber.startsWith(u'作')
                                    ? m.grid.workNumber
                                    : QStringLiteral("作業№ ") + m.grid.workNumber);
    setBack(label6_, m.grid.workNumberColor, true);
    arrows_[1]->setVisible(m.arrowPadVisible);
    for (int i = 2; i <= 5; ++i)
        arrows_[static_cast<size_t>(i)]->setVisible(m.arrowPadVisible &&
                                                    m.arrowImages[static_cast<size_t>(i)]);

    if (m.focus != lastFocus_) {
        lastFocus_ = m.focus;
        if (m.focus == u"Text1" && entry_->isEnabled())
            entry_->setFocus();
        else if (m.focus == u"Combo1")
            combo_->setFocus();
    }
    refreshSecondaryWindows();
    refreshing_ = false;
    emit refreshed();
}

WindowView* MainWindowView::windowView(WindowId id) const {
    const auto found = views_.find(id);
    return found == views_.end() ? nullptr : found->second.data();
}

void MainWindowView::refreshSecondaryWindows() {
    for (const WindowModel* window : model_.secondaryWindows) {
        const WindowId id = window->id();
        QPointer<WindowView>& view = views_[id];
        const bool open = window->isOpen();
        if (open && !view) {
            view = createWindowView(id, model_, *this);
            view->setAttribute(Qt::WA_DeleteOnClose);
            view->show();
        } else if (open) {
            view->refresh();
        } else if (view) {
            view->closeFromModel();
        }
    }
}

void MainWindowView::placeMarkers() {
    // The ▲ marks stand under the fifth and tenth characters of the entry box wherever a long
    // text has scrolled them, and hide when those characters are scrolled out of sight.
    const QString text = entry_->text();
    const QFontMetrics fm(entry_->font());
    const int cursor = entry_->cursorPosition();
    const int origin = entry_->caretRect().center().x() - fm.horizontalAdvance(text.left(cursor));
    const auto place = [&](QLabel* mark, int n, bool shown) {
        if (!shown || text.size() < n) {
            mark->hide();
            return;
        }
        const int x = origin + fm.horizontalAdvance(text.left(n)) - fm.horizontalAdvance(text.at(n - 1)) / 2;
        mark->move(entry_->x() + x - mark->width() / 2, mark->y());
        mark->setVisible(x >= 0 && x <= entry_->width());
    };
    place(label16_, 5, model_.entry.marker5);
    place(label15_, 10, model_.entry.marker10);
}

int MainWindowView::roomForClientArea() const {
    // The screen decides, not the window's size of the moment: a window the teacher narrows
    // scrolls, and the panels do not move under the mouse.
    const QScreen* screen = this->screen();
    if (!screen) return scroll_->viewport()->width();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_) + 4;
    const int frame = frameGeometry().width() - width();
    return screen->availableGeometry().width() - frame - scrollBar;
}

void MainWindowView::placePanels() {
    // Right of the grid stands the arrow pad, which the panels hide: on a narrow screen they
    // move over its place, up to the grid's rows and the labels above them, and over the
    // entry box's row too only where they are short enough to end above it.
    const int gridRight = px(9700);
    const int room = roomForClientArea();
    std::vector<QWidget*> shown;
    int tallest = 0;
    for (QWidget* panel : {static_cast<QWidget*>(lookup_), static_cast<QWidget*>(memory_)})
        if (panel->isVisibleTo(central_)) {
            shown.push_back(panel);
            tallest = qMax(tallest, panel->height());
        }
    int leftmost = qMax(label10_->geometry().right(), label11_->geometry().right());
    for (int r = 1; r <= 10; ++r)
        for (const GridCell& cell : model_.grid.at(r).cells)
            if (cell.visible && cell.width > 0) leftmost = qMax(leftmost, px(cell.left + cell.width));
    if (4 + tallest > entry_->geometry().top() - 4) leftmost = qMax(leftmost, label6_->geometry().right());
    leftmost += 8;
    int besideWidth = -8;
    for (QWidget* panel : shown) besideWidth += panel->width() + 8;
    if (shown.empty()) return;
    if (leftmost + besideWidth + 8 <= room) {
        // Beside the grid: at its right edge while there is room, else as far left as needed.
        int x = qMax(leftmost, qMin(gridRight, room - besideWidth - 8));
        for (QWidget* panel : shown) {
            panel->move(x, 4);
            x += panel->width() + 8;
        }
        return;
    }
    // Below the grid, side by side while they fit, one under the other when they do not.
    int x = 8, y = gridBottom_, rowHeight = 0;
    for (QWidget* panel : shown) {
        if (x > 8 && x + panel->width() + 8 > room) {
            x = 8;
            y += rowHeight + 8;
            rowHeight = 0;
        }
        panel->move(x, y);
        x += panel->width() + 8;
        rowHeight = qMax(rowHeight, panel->height());
    }
}

void MainWindowView::fitToClientArea() {
    // Grow to show the whole client area and the whole menu bar, within the screen; a window
    // the user made larger keeps its size, and what does not fit the screen scrolls.
    if (isMaximized() || isFullScreen()) return;
    const int chrome =
        menuBar()->sizeHint().height() + toolbar_->sizeHint().height() + statusBar()->sizeHint().height() + 8;
    QSize wanted = central_->size() + QSize(8, chrome);
    wanted.setWidth(qMax(wanted.width(), menuBar()->sizeHint().width()));
    if (const QScreen* screen = this->screen()) wanted = wanted.boundedTo(screen->availableGeometry().size());
    const QSize grown = size().expandedTo(wanted);
    if (grown != size()) resize(grown);
}

void MainWindowView::closeEvent(QCloseEvent* e) {
    // The close box asks about unsaved work as "終了" does; the settings are written on the
    // way out.
    bool closes = model_.isClosed();
    if (!closes) model_.handle([&] { closes = model_.exitCommand(); });
    if (!closes) {
        e->ignore();
        return;
    }
    e->accept();
}

bool MainWindowView::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, e);
    auto* k = static_cast<QKeyEvent*>(e);
    // The editable combo box keeps the focus itself and hands keys to its line edit by a
    // direct call, so typed keys arrive here for the combo box.
    const bool arrow = k->key() == Qt::Key_Up || k->key() == Qt::Key_Down || k->key() == Qt::Key_Left ||
                       k->key() == Qt::Key_Right;
    if (watched == combo_ || watched == combo_->lineEdit()) {
        // In the hard type the arrows move the grid cursor from the heading box too; its list
        // opens with Alt+Down.
        if (arrow && (k->modifiers() & Qt::AltModifier) && k->key() == Qt::Key_Down) {
            combo_->showPopup();
            return true;
        }
        if (arrow && model_.arrowKeysActive && !(k->modifiers() & Qt::AltModifier)) {
            model_.handle([&] { model_.onArrowKey(k->key()); });
            return true;
        }
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            model_.handle([&] {
                model_.onHeadingBoxTextEdited(combo_->currentText());
                model_.onHeadingBoxKey(k->key());
            });
            return true;
        }
        // One key is one event: the model hears it, then the box takes it (its text edit
        // comes inside the same action).
        if (forwardingHeadingKey_) return false;
        model_.handle([&] {
            model_.onHeadingBoxKey(k->key());
            forwardingHeadingKey_ = true;
            QCoreApplication::sendEvent(watched, e);
            forwardingHeadingKey_ = false;
        });
        return true;
    }
    auto* w = qobject_cast<QWidget*>(watched);
    if (arrow && model_.arrowKeysActive && w && w->window() == this && !entry_->composing()) {
        model_.handle([&] { model_.onArrowKey(k->key()); });
        return true;
    }
    return QMainWindow::eventFilter(watched, e);
}
