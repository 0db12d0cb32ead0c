// The help windows: "ボタンの説明" (hlpeForm) names the toolbar buttons under letters that
// stand over them in pictures of the toolbar and gives three notes; "データ作成の説明"
// (helpForm3) shows the steps of building a page on pictures of the main window. Both are
// fixed text; they open each other.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "core/windows/control_state.h"
#include "core/windows/window_model.h"

// One toolbar button and what the window says about it.
struct ButtonExplanation {
    QChar letter;
    int toolbarIndex;  // 1..27, as the main window's toolbar numbers its buttons
    QString text;
    QString secondLine;  // empty when the explanation takes one line
    QString indent;      // blanks the line begins with
};

class ButtonHelpWindow : public WindowModel {
public:
    static inline const QString kTitle = QStringLiteral("ボタンの説明");

    explicit ButtonHelpWindow(WindowContext& context);
    QString title() const override { return kTitle; }

    static const std::vector<ButtonExplanation>& explanations();
    // The toolbar buttons each picture shows, first to last: Image1 the buttons lettered A to
    // O (1..21), Image2 those lettered G to Q (8..24).
    static constexpr int kImage1First = 1, kImage1Last = 21;
    static constexpr int kImage2First = 8, kImage2Last = 24;

    // --- controls ---
    LabelControl label1{kTitle};
    LabelControl label2;  // letters over Image1: "A B C … O"
    LabelControl label3;  // letters over Image2: "G H … Q"
    LabelControl label4;  // the button list, one explanation a line
    LabelControl label7;  // note on old files
    LabelControl label6;  // note on fonts
    LabelControl label5;  // note on the required files
    ButtonControl command1{QStringLiteral("データ作成の説明\nヘルプを開く")};
    ButtonControl command2{QStringLiteral("閉じる")};  // picture buttons
    ButtonControl command3{QStringLiteral("閉じる")};

    // The letters over a picture whose buttons run from first to last.
    static QString lettersFor(int firstIndex, int lastIndex);
    // The lines of Label4.
    static QStringList listLines();

    // --- events ---
    void onCommand1();  // opens the data creation window
    void onCommand2() { close(); }
    void onCommand3() { close(); }
};
