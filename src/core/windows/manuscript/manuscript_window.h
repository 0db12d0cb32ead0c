// The manuscript paper window "原稿用紙-クリックで印刷" (Form4) as a model: four buttons that
// print blank paper of 20 x 20, 12 x 12, 14 x 14 or 16 x 16 squares, a fifth that prints the
// practice sheet of the page on screen, and the options kept in FN.txt between sessions.
#pragma once

#include <QString>
#include <array>
#include <functional>

#include "core/paper/manuscript_options.h"
#include "core/paper/manuscript_paper.h"
#include "core/windows/control_state.h"
#include "core/windows/window_model.h"

class Platform;
class PrintSurface;

// What the manuscript paper window reads of the main window beyond the shared context: the
// page on screen and the kana offsets.
class ManuscriptHost {
public:
    virtual ~ManuscriptHost() = default;
    // The grid's kanji word and reading of row 1..10.
    virtual QString gridKanji(int row) = 0;
    virtual QString gridReading(int row) = 0;
    // Where the teacher moved the large model characters (kanaOffset1, kanaOffset2).
    virtual double kanaOffset1() = 0;
    virtual double kanaOffset2() = 0;
};

class ManuscriptWindow : public WindowModel {
public:
    static const QString kCaption;                       // "原稿用紙-クリックで印刷"
    static const QString kAdvice;                        // "＠マーク付フォントをお勧めします"
    static constexpr int kColorPrinting = 0x0000FF;      // red
    static constexpr int kColorSizeDone = 0xFFFF80;      // light cyan
    static constexpr int kColorPracticeDone = 0xFF8080;  // light blue
    static constexpr std::array<int, 4> kSquares{20, 12, 14, 16};  // Command1(0..3)

    ManuscriptWindow(WindowContext& context, ManuscriptHost& host);

    void onCommand1Click(int index);  // blank paper, index 0..3
    void onCommand2Click();           // the practice sheet
    void onCommand3Click();           // "文字色　変更"
    void onOptionClick(int number);   // Option1 .. Option9
    void onText1Changed(const QString& text);
    // The practice button names the kanji words of the page on screen: the main window calls
    // this when they change (another page, an edited word).
    void refreshPracticeCaption();

    // The options as the controls show them.
    ManuscriptFileOptions fileOptions() const;
    // Whether the last print's printer dialog was cancelled.
    bool lastPrintCancelled() const { return lastPrintCancelled_; }

    QString title() const override { return kCaption; }

    // --- controls ---
    std::array<ButtonControl, 4> command1;
    ButtonControl command2;
    ButtonControl command3;
    FrameControl frame1, frame2, frame3, frame4;
    std::array<OptionControl, 10> option;         // [1..9]
    LabelControl label1, label2, label3, label4;  // label2: the colour swatch
    TextControl text1;
    int colorValue = 0;  // colour of the model characters

private:
    void applyOptions(const ManuscriptFileOptions& o);
    ManuscriptOptions paperOptions(int squares) const;
    // The printer dialog, then the drawing on the printer, named for the printer queue.
    void print(const QString& title, const std::function<void(PrintSurface&)>& draw);

    // Reads FN.txt, builds the practice button's caption, the font advice. A file read only
    // in part is reported the first time, with what was read kept.
    void load() override;
    // Writes FN.txt and closes the ruled paper window too.
    void unload() override;

    ManuscriptHost& host_;
    ManuscriptFileOptions carried_;  // lines 1 to 3 as read
    bool lastPrintCancelled_ = false;
    bool readProblemShown_ = false;  // an options file read only in part is reported once a run
};
