#include "platform/windows/company_view.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/windows/control_binding.h"

CompanyView::CompanyView(CompanyWindow& model, QWidget* parent)
    : WindowView(model, parent, Qt::Dialog), model_(model) {
    setObjectName(QStringLiteral("Form3"));

    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QString::fromUtf8(CompanyWindow::kLabel), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setAlignment(Qt::AlignCenter);
    accessible::nameByText(label, {});
    binding::setText(label, label->text());
    layout->addWidget(label);

    for (int i = 0; i < static_cast<int>(CompanyWindow::kCompanies.size()); ++i) {
        auto* b = new QPushButton(QString::fromUtf8(CompanyWindow::kCompanies[static_cast<size_t>(i)]), this);
        b->setObjectName(QStringLiteral("Command1_%1").arg(i));
        accessible::nameByText(b, {});
        accessible::setShownText(b, b->text());
        b->setAutoDefault(false);
        layout->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, i] { send([&] { model_.onCompanyButton(i); }); });
    }
    auto* none = new QPushButton(QString::fromUtf8(CompanyWindow::kNoneCaption), this);
    none->setObjectName(QStringLiteral("Command2"));
    accessible::nameByText(none, {});
    accessible::setShownText(none, none->text());
    none->setAutoDefault(false);
    layout->addSpacing(8);
    layout->addWidget(none);
    connect(none, &QPushButton::clicked, this, [this] { send([&] { model_.onNoneButton(); }); });
    layout->setSizeConstraint(QLayout::SetFixedSize);
    refresh();
}

void CompanyView::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    WindowView::keyPressEvent(e);
}
