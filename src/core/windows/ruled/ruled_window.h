// The ruled paper window "罫線用紙印刷" (Form10) as a model: a row count, dotted centre lines
// or not, a title, and "印刷", which prints one A4 sheet without a printer dialog. Nothing is
// kept between openings.
#pragma once

#include <QString>

#include "core/paper/ruled_paper.h"
#include "core/windows/control_state.h"
#include "core/windows/window_model.h"

class RuledWindow : public WindowModel {
public:
    static const QString kCaption;          // "罫線用紙印刷"
    static const QString kRowCountMessage;  // the refusal of a row count out of range

    explicit RuledWindow(WindowContext& context);

    void onCombo1Changed(const QString& text);  // typed or chosen from the list
    void onOptionClick(int number);             // Option1 "あり", Option2 "なし"
    void onText1Changed(const QString& text);
    void onCommand1Click();  // "印刷": genko

    // Prints one sheet; false when the row count was refused, the PDF file's name cancelled or
    // the device could not print.
    bool genko();

    QString title() const override { return kCaption; }

    // --- controls ---
    LabelControl label1, label2, label3;
    ComboControl combo1;
    FrameControl frame1;
    OptionControl option1, option2;
    TextControl text1;
    ButtonControl command1;

private:
    // Every opening starts from the design values.
    void load() override { reset(); }
    // Closes the manuscript paper window too.
    void unload() override;
    void reset();
};
