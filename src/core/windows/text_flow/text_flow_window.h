// The text flow window "文章流し込み" (Form22) as a model: a running text poured into the
// ten rows of the problem grid, ten characters a row, into the kanji cells (for the sheets
// with writing squares) or the before cells (for ruled sheets).
#pragma once

#include <QString>

#include "core/windows/control_state.h"
#include "core/windows/window_model.h"

class Platform;

// The grid cells the flow writes; the values are the grid's column codes.
enum class FlowTarget { Before = 2, Kanji = 3 };

// What the text flow window writes in the main window: the rows of the grid.
class TextFlowHost {
public:
    virtual ~TextFlowHost() = default;
    // Sets the text of a grid cell of row 1..10, as an ordinary change of that cell.
    virtual void setGridCell(int row, FlowTarget target, const QString& text) = 0;
    // Whether row 1..10 holds a problem: any of its seven texts, or its second word shown.
    virtual bool gridRowHoldsProblem(int row) = 0;
    // Empties the seven texts of row 1..10 and hides its second word.
    virtual void clearGridRow(int row) = 0;
    // The text of the main window's heading box.
    virtual QString headingBoxText() = 0;
};

class TextFlowWindow : public WindowModel {
public:
    static const QString kCaption;          // "文章流し込み"
    static const QString kDesignText;       // the text Text1 opens with
    static const QString kHeadingReminder;  // "見出し登録は済みましたか？"
    // The question before rows holding problems are written over, and the notice of the
    // text ten rows could not take.
    static QString overwriteQuestion(int rowsHoldingProblems);
    static QString restNotice(const QString& rest);
    static constexpr int kLightYellow = 0x80FFFF;
    static constexpr int kLightCyan = 0xFFFF80;
    static constexpr int kLightRed = 0x8080FF;
    static constexpr int kBlue = 0xFF0000;
    static constexpr int kRed = 0x0000FF;
    static constexpr int kTwipsPerPixel = 15;

    TextFlowWindow(WindowContext& context, TextFlowHost& host);

    // "流し込み": each row the text fills is replaced whole (its seven texts and its second
    // word); rows that hold problems are written over only after a Yes; text that ten rows
    // cannot take is left out with a notice.
    void onCommand1Click();
    void onCommand2Click();          // "本文消去"
    void onCommand3Click();          // "テキスト消去"
    void onOptionClick(int number);  // Option1 "１０文字マス目用", Option2 "罫線用"
    // Text1 changed; caretPosition is the caret's index in text, caretX its x in pixels.
    void onText1Changed(const QString& text, int caretPosition = 0, int caretX = 0);

    // Where the flow writes: the window's one choice, which its option buttons and the colour
    // of "流し込み" show.
    FlowTarget target() const { return target_; }

    QString title() const override { return kCaption; }

    // --- controls ---
    TextControl text1;
    LabelControl label1;  // the caret marker "▼"
    FrameControl frame1;
    OptionControl option1, option2;
    ButtonControl command1, command2, command3;

private:
    // Every opening starts from the design values.
    void load() override { reset(); }
    // Reminds of the heading when the heading box is empty.
    void unload() override;
    void reset();
    // The controls that show the target, derived from it.
    void showTarget();

    TextFlowHost& host_;
    FlowTarget target_ = FlowTarget::Kanji;
};
