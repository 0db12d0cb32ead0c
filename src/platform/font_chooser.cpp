#include "platform/font_chooser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/number_box.h"

QStringList windowsJapaneseFaces() {
    return {QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("ＭＳ 明朝"), QStringLiteral("ＭＳ Ｐゴシック"),
            QStringLiteral("ＭＳ ゴシック")};
}

void installWindowsFontSubstitutions() {
    const QStringList ipa{QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho"),
                          QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")};
    const QStringList win = windowsJapaneseFaces();
    for (int i = 0; i < win.size(); ++i) {
        QFont::insertSubstitution(win[i], ipa[i]);
        QFont::insertSubstitution(u'@' + win[i], ipa[i]);
    }
}

std::optional<FontChoice> chooseFont(const FontChoice& initial, QWidget* parent) {
    QDialog dlg(parent);
    dlg.setWindowTitle(QStringLiteral("フォント"));
    auto* face = new QComboBox(&dlg);
    face->setAccessibleName(QStringLiteral("フォント名"));
    QStringList names = windowsJapaneseFaces();
    for (const QString& f : QFontDatabase::families(QFontDatabase::Japanese))
        if (!names.contains(f) && !f.startsWith(u'@')) names << f;
    face->addItems(names);
    auto* vertical = new QCheckBox(QStringLiteral("縦書き用（@フォント）"), &dlg);
    vertical->setAccessibleName(vertical->text());
    auto* size = new NumberBox(&dlg);
    size->setObjectName(QStringLiteral("size"));
    size->setRange(6, 96);
    size->setAccessibleName(QStringLiteral("サイズ"));
    // A size the box cannot take is said below it, not dropped without a word.
    auto* sizeMessage = new QLabel(&dlg);
    sizeMessage->setObjectName(QStringLiteral("sizeMessage"));
    sizeMessage->setStyleSheet(QStringLiteral("color:#c62828;"));
    QObject::connect(size, &NumberBox::refused, sizeMessage, [size, sizeMessage](const QString& m) {
        sizeMessage->setText(m);
        size->setAccessibleDescription(m);
    });
    auto* bold = new QCheckBox(QStringLiteral("太字"), &dlg);
    auto* italic = new QCheckBox(QStringLiteral("斜体"), &dlg);
    auto* sample = new QLabel(QStringLiteral("漢字の練習　かんじ"), &dlg);
    sample->setMinimumHeight(60);

    QString name = initial.name;
    vertical->setChecked(name.startsWith(u'@'));
    if (name.startsWith(u'@')) name.remove(0, 1);
    if (!names.contains(name) && !name.isEmpty()) face->insertItem(0, name);
    face->setCurrentText(name.isEmpty() ? names.first() : name);
    size->setValue(initial.size > 0 ? qRound(initial.size) : 25);
    bold->setChecked(initial.bold);
    italic->setChecked(initial.italic);

    auto updateSample = [&] {
        QFont f(face->currentText());
        f.setPointSize(qMin(size->value(), 28));
        f.setBold(bold->isChecked());
        f.setItalic(italic->isChecked());
        sample->setFont(f);
    };
    QObject::connect(face, &QComboBox::currentTextChanged, &dlg, updateSample);
    QObject::connect(size, &QSpinBox::valueChanged, &dlg, updateSample);
    QObject::connect(bold, &QCheckBox::toggled, &dlg, updateSample);
    QObject::connect(italic, &QCheckBox::toggled, &dlg, updateSample);
    updateSample();

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("フォント名"), face);
    form->addRow(QString(), vertical);
    form->addRow(QStringLiteral("サイズ"), size);
    form->addRow(QString(), sizeMessage);
    form->addRow(QString(), bold);
    form->addRow(QString(), italic);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dlg);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dlg, [&] {
        // A size outside the range keeps the dialog open with its message.
        if (!size->hasAcceptableInput()) {
            sizeMessage->setText(size->rangeMessage());
            size->setFocus();
            return;
        }
        dlg.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dlg);
    layout->addLayout(form);
    layout->addWidget(sample);
    layout->addWidget(buttons);

    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    size->interpretText();  // a size typed and not yet taken counts, as OK says
    FontChoice c;
    c.name = (vertical->isChecked() ? QStringLiteral("@") : QString()) + face->currentText();
    c.size = size->value();
    c.bold = bold->isChecked();
    c.italic = italic->isChecked();
    return c;
}
