// The tracing colour window "色設定": four shades for the tracing copies. "決定" turns
// tracing on in the chosen shade; "取り消し" turns tracing off.
#pragma once

#include <QString>
#include <array>

#include "core/windows/window_model.h"

// What the tracing colour window changes in the main window: its tracing option.
class TracingColorHost {
public:
    virtual ~TracingColorHost() = default;
    virtual int currentTracingColor() const = 0;
    // Tracing on, in `color`.
    virtual void tracingChosen(int color) = 0;
    // Tracing off.
    virtual void tracingCancelled() = 0;
};

class TracingColorWindow : public WindowModel {
public:
    static constexpr const char* kName = "色設定";
    static constexpr const char* kFrameCaption = "なぞり書き色";
    // From light to dark; the last is the desktop's button-text colour (black).
    static constexpr std::array<int, 4> kColors{14737632, 12632256, 8421504, 0};
    static constexpr std::array<const char*, 4> kCaptions{"淡い", "やや淡い", "やや濃い", "濃い"};

    TracingColorWindow(WindowContext& context, TracingColorHost& host)
        : WindowModel(WindowId::TracingColor, context), host_(host) {}

    QString title() const override { return QString::fromUtf8(kName); }
    void onChoice(int index);  // an option button
    void onOk();               // "決定"
    void onCancel();           // "取り消し"
    // The close box is a cancel.
    bool closeBoxClicked() override {
        onCancel();
        return true;
    }

    int choice = -1;  // the option chosen while the window is open, -1 none
    int sampleColor = kColors[0];

    // The option matching the colour in use, -1 when it is none of the four.
    int currentChoice() const;

private:
    void load() override;

    TracingColorHost& host_;
};
