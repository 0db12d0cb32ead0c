#include "platform/number_box.h"

#include <QLineEdit>

QString asciiDigits(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c >= QChar(0xFF10) && c <= QChar(0xFF19)) c = QChar(u'0' + (c.unicode() - 0xFF10));
    return out;
}

NumberBox::NumberBox(QWidget* parent) : QSpinBox(parent) {
    // What was typed stays in the box until it is a number of the range or Enter puts the
    // last good value back; the message says why meanwhile.
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString& text) {
        QString t = text;
        int pos = 0;
        emit refused(QSpinBox::validate(t, pos) == QValidator::Acceptable ? QString() : rangeMessage());
    });
}

QString NumberBox::rangeMessage() const {
    return QStringLiteral("%1～%2の数を入力してください").arg(minimum()).arg(maximum());
}

QValidator::State NumberBox::validate(QString& input, int& pos) const {
    const QString converted = asciiDigits(input);
    const QValidator::State state = QSpinBox::validate(input = converted, pos);
    // A number outside the range is kept in the box, so the message can say why it is refused
    // instead of the key doing nothing.
    if (state == QValidator::Invalid) {
        const QString bare = converted.trimmed();
        bool number = !bare.isEmpty() && bare.size() <= 6;
        for (QChar c : bare) number = number && c.isDigit() && c.unicode() < 128;
        if (number) return QValidator::Intermediate;
    }
    return state;
}

int NumberBox::valueFromText(const QString& text) const {
    return QSpinBox::valueFromText(asciiDigits(text));
}

void NumberBox::fixup(QString& input) const {
    input = asciiDigits(input);
    QSpinBox::fixup(input);
}
