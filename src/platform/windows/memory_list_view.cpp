#include "platform/windows/memory_list_view.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/windows/accessible_names.h"
#include "platform/windows/keyboard_access.h"

MemoryListView::MemoryListView(MemoryList& model, QWidget* parent) : QWidget(parent), model_(model) {
    setAccessibleName(QStringLiteral("メモリー"));
    auto* layout = new QVBoxLayout(this);
    label8_ = new QLabel(this);
    accessible::nameByText(label8_, QStringLiteral("Label8"));
    label8_->setWordWrap(true);
    list1_ = new QListWidget(this);
    accessible::nameByPurpose(list1_, QStringLiteral("List1"), QStringLiteral("記憶した問題"));
    list1_->setToolTip(model_.list1Tooltip);
    accessible::describe(list1_, model_.list1Tooltip);  // a list does not offer its tooltip
    command1_ = new QPushButton(model_.command1Caption, this);
    accessible::nameByText(command1_, QStringLiteral("Command1"));
    layout->addWidget(label8_);
    layout->addWidget(list1_, 1);
    layout->addWidget(command1_);

    const auto restore = [this](QListWidgetItem* item) {
        run([&] { model_.onListClick(list1_->row(item)); });
    };
    connect(list1_, &QListWidget::itemClicked, this, restore);
    pickOnKeys(list1_, restore);
    connect(command1_, &QPushButton::clicked, this, [this] { run([&] { model_.onClearButton(); }); });
    refresh();
}

void MemoryListView::run(const std::function<void()>& event) {
    if (door) return door(event);
    event();
    refresh();
}

void MemoryListView::refresh() {
    if (isHidden() == model_.visible) setHidden(!model_.visible);
    if (label8_->text() != model_.label8) label8_->setText(model_.label8);
    accessible::setShownText(label8_, model_.label8);
    if (list1_->isEnabled() != model_.list1Enabled) list1_->setEnabled(model_.list1Enabled);
    QStringList shown;
    for (int i = 0; i < list1_->count(); ++i) shown << list1_->item(i)->text();
    if (shown != model_.list1) {
        const QSignalBlocker block(list1_);
        list1_->clear();
        list1_->addItems(model_.list1);
    }
    if (command1_->text() != model_.command1Caption) command1_->setText(model_.command1Caption);
    accessible::setShownText(command1_, model_.command1Caption);
    emit refreshed();
}

std::vector<QWidget*> MemoryListView::tabChain() const {
    return {list1_, command1_};
}
