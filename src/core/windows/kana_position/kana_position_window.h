// The kana print position window "かな印字位置調整" as a model: a vertical and a horizontal
// slider (-10 .. 10) shift the sample "亜" between two guide lines in steps of 30 twips and
// set the two kana offsets the settings file keeps.
#pragma once

#include <QString>

#include "core/windows/control_state.h"
#include "core/windows/window_model.h"

// What the kana position window changes in the main window: the two kana offsets.
class KanaPositionHost {
public:
    virtual ~KanaPositionHost() = default;
    // kanaOffset1 and kanaOffset2, in twips, as the settings file keeps them.
    virtual double kanaOffset1() = 0;
    virtual double kanaOffset2() = 0;
    virtual void setKanaOffsets(double offset1, double offset2) = 0;
};

struct KanaOffsets {
    double offset1 = 0, offset2 = 0;
};

// A vertical face ("@" or "＠") is read turned a quarter turn, so its sheet's first offset is
// the vertical one; an ordinary face's first offset is the horizontal one.
bool isVerticalFace(const QString& fontName);
KanaOffsets kanaOffsetsFor(const QString& fontName, int vertical, int horizontal);

class KanaPositionWindow : public WindowModel {
public:
    static const QString kCaption;           // "かな印字位置調整"
    static constexpr int kStep = 30;         // twips per slider step
    static constexpr int kSampleLeft = 480;  // the sample's place at 0, 0
    static constexpr int kSampleTop = 360;
    static constexpr int kSampleSize = 1455;
    // The guide lines: Line1 vertical, Line2 horizontal.
    static constexpr int kLine1X = 1200, kLine1Top = 120, kLine1Bottom = 2160;
    static constexpr int kLine2Y = 1080, kLine2Left = 120, kLine2Right = 2280;

    KanaPositionWindow(WindowContext& context, KanaPositionHost& host);

    void onSlider1Changed(int value);  // vertical
    void onSlider2Changed(int value);  // horizontal
    void onCommand1Click();            // "中央"

    QString title() const override { return kCaption; }

    // --- controls ---
    SliderControl slider1, slider2;
    LabelControl label1;  // the sample "亜"
    ButtonControl command1;

private:
    // The sample takes the status-bar face; the sliders show the stored offsets.
    void load() override;
    void update();

    KanaPositionHost& host_;
};
