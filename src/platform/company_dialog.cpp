#include "company_dialog.h"

#include "mainwindow/main_window.h"

#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

class CompanyDialog : public QDialog {
public:
    CompanyDialog(MainWindow& model, QWidget* parent) : QDialog(parent), model_(model) {
        setObjectName(QStringLiteral("Form3"));
        setAttribute(Qt::WA_DeleteOnClose);
        setModal(false);
        setWindowTitle(QString::fromUtf8(CompanyWindow::kName));
        setAccessibleName(windowTitle());

        auto* layout = new QVBoxLayout(this);
        auto* label = new QLabel(QString::fromUtf8(CompanyWindow::kLabel), this);
        label->setObjectName(QStringLiteral("Label1"));
        label->setAlignment(Qt::AlignCenter);
        label->setAccessibleName(label->text());
        // A named label shows no text to screen readers; its description carries it.
        label->setAccessibleDescription(label->text());
        layout->addWidget(label);

        for (int i = 0; i < static_cast<int>(CompanyWindow::kCompanies.size()); ++i) {
            auto* b = new QPushButton(
                QString::fromUtf8(CompanyWindow::kCompanies[static_cast<size_t>(i)]), this);
            b->setObjectName(QStringLiteral("Command1_%1").arg(i));
            b->setAccessibleName(b->text());
            b->setAutoDefault(false);
            layout->addWidget(b);
            connect(b, &QPushButton::clicked, this, [this, i] {
                model_.onCompanyButton(i);
                followModel();
            });
        }
        auto* none = new QPushButton(QString::fromUtf8(CompanyWindow::kNoneCaption), this);
        none->setObjectName(QStringLiteral("Command2"));
        none->setAccessibleName(none->text());
        none->setAutoDefault(false);
        layout->addSpacing(8);
        layout->addWidget(none);
        connect(none, &QPushButton::clicked, this, [this] {
            model_.onCompanyNoneButton();
            followModel();
        });
        layout->setSizeConstraint(QLayout::SetFixedSize);
    }

    // Esc.
    void reject() override { close(); }

protected:
    void closeEvent(QCloseEvent* e) override {
        // Closed by the user while the model still has the window open: no choice made.
        // When the model closed it first (a button, shut-down) there is nothing to tell it.
        if (modelHasItOpen()) closeCompanyWindow(model_);
        e->accept();
    }

private:
    bool modelHasItOpen() const {
        return model_.openWindows.contains(QString::fromUtf8(CompanyWindow::kName));
    }
    void followModel() {
        if (!modelHasItOpen()) close();
    }

    MainWindow& model_;
};

}  // namespace

QDialog* createCompanyDialog(MainWindow& model, QWidget* parent) {
    return new CompanyDialog(model, parent);
}
