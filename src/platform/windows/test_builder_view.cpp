#include "platform/windows/test_builder_view.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/windows/control_binding.h"
#include "results/database_location.h"
#include "results/sql_results_store.h"

std::unique_ptr<ResultsStore> openUserResults(QString* message) {
    DatabaseLocation location;
    location.path = defaultResultsPath();
    return SqlResultsStore::open(location, {}, message);
}

namespace {

QPushButton* button(QWidget* parent, const QString& caption, const QString& design) {
    auto* b = new QPushButton(caption, parent);
    binding::name(b, design);
    accessible::setShownText(b, caption);
    b->setAutoDefault(false);
    return b;
}

// What the list and a screen reader say of a problem: its mark, row, sentence and state.
QString markText(const ScoreRow& r) {
    return QStringLiteral("%1 %2行目 %3%4（%5）%6　前回まで: %7")
        .arg(r.wrong ? QStringLiteral("×") : QStringLiteral("○"))
        .arg(r.row)
        .arg(r.problem.before, r.problem.word, r.problem.reading, r.problem.after, r.state);
}

}  // namespace

TestBuilderView::TestBuilderView(TestBuilderWindow& model, QWidget* parent)
    : WindowView(model, parent), model_(model) {
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("TestBuilder"));
    auto* layout = new QVBoxLayout(this);

    // --- the test ---
    auto* scope = new QGroupBox(QStringLiteral("範囲"), this);
    binding::name(scope, QStringLiteral("Frame1"));
    auto* scopeLayout = new QGridLayout(scope);
    byGrade_ = new QRadioButton(QStringLiteral("学年(&G)"), scope);
    binding::name(byGrade_, QStringLiteral("Option1"), QStringLiteral("学年の漢字から"));
    grade_ = new QComboBox(scope);
    binding::name(grade_, QStringLiteral("Combo1"), QStringLiteral("学年"));
    for (int g = 1; g <= 6; ++g) grade_->addItem(QStringLiteral("%1年").arg(g));
    byKanji_ = new QRadioButton(QStringLiteral("漢字(&K)"), scope);
    binding::name(byKanji_, QStringLiteral("Option2"), QStringLiteral("選んだ漢字から"));
    kanji_ = new QLineEdit(scope);
    binding::name(kanji_, QStringLiteral("Text1"), QStringLiteral("テストにする漢字"));
    auto* fromPanel = button(scope, QStringLiteral("パネルの漢字(&L)"), QStringLiteral("Command3"));
    fromPanel->setToolTip(QStringLiteral("単漢字表示のパネルで選んだ漢字を加えます"));
    byPages_ = new QRadioButton(QStringLiteral("ページ(&P)"), scope);
    binding::name(byPages_, QStringLiteral("Option3"), QStringLiteral("ファイルのページから"));
    pages_ = new QListWidget(scope);
    binding::name(pages_, QStringLiteral("List1"), QStringLiteral("テストにするページ"));
    pages_->setMaximumHeight(110);
    scopeLayout->addWidget(byGrade_, 0, 0);
    scopeLayout->addWidget(grade_, 0, 1);
    scopeLayout->addWidget(byKanji_, 1, 0);
    scopeLayout->addWidget(kanji_, 1, 1);
    scopeLayout->addWidget(fromPanel, 1, 2);
    scopeLayout->addWidget(byPages_, 2, 0, Qt::AlignTop);
    scopeLayout->addWidget(pages_, 2, 1, 1, 2);
    layout->addWidget(scope);

    auto* form = new QFormLayout;
    count_ = new QSpinBox(this);
    binding::name(count_, QStringLiteral("Text2"), QStringLiteral("問題数"));
    count_->setRange(1, kMaxTestProblems);
    heading_ = new QLineEdit(this);
    binding::name(heading_, QStringLiteral("Text3"), QStringLiteral("見出し"));
    seed_ = new QLineEdit(this);
    binding::name(seed_, QStringLiteral("Text4"), QStringLiteral("種"));
    seed_->setToolTip(QStringLiteral("同じ種で同じテストを作れます"));
    auto* newSeed = button(this, QStringLiteral("新しい種"), QStringLiteral("Command4"));
    auto* seedRow = new QHBoxLayout;
    seedRow->addWidget(seed_);
    seedRow->addWidget(newSeed);
    auto* countLabel = new QLabel(QStringLiteral("問題数(&N)"), this);
    countLabel->setBuddy(count_);
    auto* headingLabel = new QLabel(QStringLiteral("見出し(&H)"), this);
    headingLabel->setBuddy(heading_);
    auto* seedLabel = new QLabel(QStringLiteral("種(&S)"), this);
    seedLabel->setBuddy(seed_);
    form->addRow(countLabel, count_);
    form->addRow(headingLabel, heading_);
    form->addRow(seedLabel, seedRow);
    layout->addLayout(form);
    auto* build = button(this, QStringLiteral("作成(&C)"), QStringLiteral("Command1"));
    build->setToolTip(QStringLiteral("テストを開いているファイルの最後のページとして加えます"));
    layout->addWidget(build);

    // --- 採点 and 復習 ---
    auto* scoring = new QGroupBox(QStringLiteral("採点・復習"), this);
    binding::name(scoring, QStringLiteral("Frame2"));
    auto* scoringLayout = new QVBoxLayout(scoring);
    auto* who = new QHBoxLayout;
    class_ = new QComboBox(scoring);
    class_->setEditable(true);
    binding::name(class_, QStringLiteral("Combo2"), QStringLiteral("クラス"));
    accessible::nameByPurpose(class_->lineEdit(), QStringLiteral("Combo2"), QStringLiteral("クラス"));
    student_ = new QLineEdit(scoring);
    binding::name(student_, QStringLiteral("Text5"), QStringLiteral("児童（空ならクラス全体）"));
    student_->setPlaceholderText(QStringLiteral("児童（空ならクラス全体）"));
    auto* addStudent = button(scoring, QStringLiteral("児童を加える"), QStringLiteral("Command5"));
    who->addWidget(new QLabel(QStringLiteral("クラス"), scoring));
    who->addWidget(class_, 1);
    who->addWidget(student_, 1);
    who->addWidget(addStudent);
    scoringLayout->addLayout(who);
    auto* pageRow = new QHBoxLayout;
    scoredHeading_ = new QLabel(scoring);
    binding::name(scoredHeading_, QStringLiteral("Label2"), QStringLiteral("採点する頁"));
    auto* thisPage = button(scoring, QStringLiteral("画面の頁を採点"), QStringLiteral("Command6"));
    pageRow->addWidget(scoredHeading_, 1);
    pageRow->addWidget(thisPage);
    scoringLayout->addLayout(pageRow);
    marks_ = new QListWidget(scoring);
    binding::name(marks_, QStringLiteral("List2"),
                  QStringLiteral("採点: スペースで○×を切り替え、Xで×、Oで○"));
    marks_->installEventFilter(this);
    marks_->setMinimumHeight(180);
    scoringLayout->addWidget(marks_, 1);
    auto* scoreButtons = new QHBoxLayout;
    auto* record = button(scoring, QStringLiteral("記録(&R)"), QStringLiteral("Command7"));
    auto* review = button(scoring, QStringLiteral("復習(&V)"), QStringLiteral("Command8"));
    review->setToolTip(
        QStringLiteral("前回×の問題、復習の日が来た問題、まだ出していない問題の順にテストを作ります"));
    scoreButtons->addWidget(record);
    scoreButtons->addWidget(review);
    scoringLayout->addLayout(scoreButtons);
    layout->addWidget(scoring, 1);

    status_ = new QLabel(this);
    binding::name(status_, QStringLiteral("Label1"), QStringLiteral("結果"));
    status_->setWordWrap(true);
    layout->addWidget(status_);
    // Wide enough for a sentence and its state on one line of the list.
    setMinimumWidth(560);

    connect(byGrade_, &QRadioButton::clicked, this,
            [this] { send([&] { model_.setScope(TestScope::Grade); }); });
    connect(byKanji_, &QRadioButton::clicked, this,
            [this] { send([&] { model_.setScope(TestScope::Kanji); }); });
    connect(byPages_, &QRadioButton::clicked, this,
            [this] { send([&] { model_.setScope(TestScope::Pages); }); });
    connect(grade_, &QComboBox::activated, this, [this](int i) { send([&] { model_.setGrade(i + 1); }); });
    connect(kanji_, &QLineEdit::textEdited, this,
            [this](const QString& t) { send([&] { model_.setKanji(t); }); });
    connect(fromPanel, &QPushButton::clicked, this, [this] { send([&] { model_.takeLookupKanji(); }); });
    connect(pages_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const int row = pages_->row(item);
        const bool on = item->checkState() == Qt::Checked;
        send([&] { model_.setPageChosen(row, on); });
    });
    connect(count_, &QSpinBox::valueChanged, this, [this](int n) { send([&] { model_.setCount(n); }); });
    connect(heading_, &QLineEdit::textEdited, this,
            [this](const QString& t) { send([&] { model_.setHeading(t); }); });
    connect(seed_, &QLineEdit::textEdited, this,
            [this](const QString& t) { send([&] { model_.setSeed(t); }); });
    connect(newSeed, &QPushButton::clicked, this, [this] { send([&] { model_.newSeed(); }); });
    connect(build, &QPushButton::clicked, this, [this] { send([&] { model_.build(); }); });
    connect(class_, &QComboBox::currentTextChanged, this,
            [this](const QString& t) { send([&] { model_.setClassName(t); }); });
    connect(student_, &QLineEdit::textEdited, this,
            [this](const QString& t) { send([&] { model_.setStudent(t); }); });
    connect(addStudent, &QPushButton::clicked, this, [this] { send([&] { model_.addStudent(); }); });
    connect(thisPage, &QPushButton::clicked, this, [this] { send([&] { model_.markPageOnScreen(); }); });
    connect(marks_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { send([&] { model_.toggleMark(marks_->row(item)); }); });
    connect(record, &QPushButton::clicked, this, [this] { send([&] { model_.record(); }); });
    connect(review, &QPushButton::clicked, this, [this] { send([&] { model_.review(); }); });
    refresh();
}

void TestBuilderView::showModel() {
    binding::setChecked(byGrade_, model_.scope == TestScope::Grade);
    binding::setChecked(byKanji_, model_.scope == TestScope::Kanji);
    binding::setChecked(byPages_, model_.scope == TestScope::Pages);
    {
        const QSignalBlocker block(grade_);
        if (grade_->currentIndex() != model_.grade - 1) grade_->setCurrentIndex(model_.grade - 1);
    }
    binding::setText(kanji_, model_.kanji);
    {
        const QSignalBlocker block(pages_);
        if (pages_->count() != model_.pageHeadings.size()) {
            pages_->clear();
            for (const QString& h : model_.pageHeadings) pages_->addItem(h);
        }
        for (int i = 0; i < pages_->count(); ++i) {
            QListWidgetItem* item = pages_->item(i);
            if (item->text() != model_.pageHeadings[i]) item->setText(model_.pageHeadings[i]);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            const Qt::CheckState state =
                model_.pageChosen[static_cast<size_t>(i)] ? Qt::Checked : Qt::Unchecked;
            if (item->checkState() != state) item->setCheckState(state);
        }
    }
    {
        const QSignalBlocker block(count_);
        if (count_->value() != model_.count) count_->setValue(model_.count);
    }
    binding::setText(heading_, model_.heading);
    binding::setText(seed_, model_.seedText);
    {
        const QSignalBlocker block(class_);
        QStringList items;
        for (int i = 0; i < class_->count(); ++i) items << class_->itemText(i);
        if (items != model_.classNames) {
            class_->clear();
            class_->addItems(model_.classNames);
        }
        if (class_->currentText() != model_.className) class_->setCurrentText(model_.className);
    }
    binding::setText(student_, model_.student);
    binding::setText(scoredHeading_, model_.scoredHeading.isEmpty()
                                         ? QStringLiteral("採点する頁: （頁が開かれていません）")
                                         : QStringLiteral("採点する頁: %1").arg(model_.scoredHeading));
    {
        const QSignalBlocker block(marks_);
        const int keep = model_.currentRow;
        if (marks_->count() != static_cast<int>(model_.scoreRows.size())) {
            marks_->clear();
            for (size_t i = 0; i < model_.scoreRows.size(); ++i) marks_->addItem(QString());
        }
        for (int i = 0; i < marks_->count(); ++i) {
            const QString text = markText(model_.scoreRows[static_cast<size_t>(i)]);
            QListWidgetItem* item = marks_->item(i);
            if (item->text() != text) {
                item->setText(text);
                item->setData(Qt::AccessibleTextRole, text);
            }
        }
        if (marks_->count() > 0 && marks_->currentRow() != keep) marks_->setCurrentRow(keep);
    }
    binding::setText(status_, model_.status);
}

bool TestBuilderView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == marks_ && event->type() == QEvent::KeyPress) {
        const int row = marks_->currentRow();
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Space: send([&] { model_.toggleMark(row); }); return true;
        case Qt::Key_X: send([&] { model_.setMark(row, true); }); return true;
        case Qt::Key_O: send([&] { model_.setMark(row, false); }); return true;
        default: break;
        }
    }
    return WindowView::eventFilter(watched, event);
}

void TestBuilderView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    WindowView::keyPressEvent(e);
}
