// The help window "データ作成の説明" (helpForm3): the steps of building a page, numbered ① to
// ⑧ on pictures of the main window.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "core/windows/help/button_help_window.h"

// A number that stands in a picture of the main window over the controls a step names.
struct StepMarker {
    QString mark;          // "①" …
    QStringList controls;  // design names of the main window's controls it points at
};

class DataCreationHelpWindow : public WindowModel {
public:
    static inline const QString kTitle = QStringLiteral("データ作成の説明");

    explicit DataCreationHelpWindow(WindowContext& context);
    QString title() const override { return kTitle; }

    // The step captions, continuation lines indented with five ideographic spaces.
    static QStringList steps();
    // Where the numbers of the steps stand in the pictures: ① to ④ in the whole window
    // (Image1), ⑤ to ⑧ in the close-up of the first problem row and the entry box (Image2).
    static const std::vector<StepMarker>& image1Markers();
    static const std::vector<StepMarker>& image2Markers();

    // --- controls ---
    QStringList stepLabels = steps();
    ButtonControl command1{QStringLiteral("閉じる")};
    ButtonControl command2{QStringLiteral("ボタンの説明")};

    // --- events ---
    void onCommand1() { close(); }  // "閉じる"
    void onCommand2();              // opens the button explanation window
    void onImage3Click() { close(); }
};
