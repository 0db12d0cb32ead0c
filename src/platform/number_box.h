// A box for a whole number that takes the digits an input method gives (Mozc types ３０ in
// full width) as well as plain ones, and says its range beside the refusal of a value outside
// it.
#pragma once

#include <QSpinBox>

// "３０" → "30"; other characters stay.
QString asciiDigits(const QString& text);

class NumberBox : public QSpinBox {
    Q_OBJECT
public:
    explicit NumberBox(QWidget* parent = nullptr);

    // The message shown while the text is not a number of the range ("6～96の数を入力してください").
    QString rangeMessage() const;

signals:
    // The text typed is refused (not a number, or outside the range): message says why; empty
    // when the text is good again.
    void refused(const QString& message);

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
    void fixup(QString& input) const override;
};
