// The maintenance password prompt (frmSplash) in front of the file merge tool and the data
// edit tool. It guards against opening the tools by accident; it is no security: the
// password is a fixed word in the program.
#pragma once

#include <QString>

#include "core/windows/control_state.h"
#include "core/windows/window_model.h"

// Which tool the prompt leads to: the check marks of the menu items "ファイル結合" (fc) and
// "ファイル変更" (fch).
enum class MaintenanceTool { None, FileMerge, DataEdit };

// What the password prompt changes in the main window: the check marks of the two tools.
class PasswordHost {
public:
    virtual ~PasswordHost() = default;
    // The tool whose menu item carries the check mark (None when neither does).
    virtual MaintenanceTool markedTool() const = 0;
    // Puts the check mark on that tool's menu item and takes it off the other; None clears both.
    virtual void markTool(MaintenanceTool tool) = 0;
};

class PasswordWindow : public WindowModel {
public:
    static inline const QString kPassword = QStringLiteral("tsukimi");
    // The window has no caption of its own; this names it for the window list and screen readers.
    static inline const QString kTitle = QStringLiteral("パスワード");

    PasswordWindow(WindowContext& context, PasswordHost& host);
    QString title() const override { return kTitle; }

    // --- controls ---
    LabelControl label1{.caption = QStringLiteral(
                            "ここからの作業は管理者の責任で行ってください。パスワードを入力してください。"),
                        .foreColor = kColorRed};
    TextControl text1;  // font "ＭＳ Ｐゴシック", input shown as "*"
    ButtonControl command1{QStringLiteral("OK")};

    // --- events ---
    // The menu items "ファイル結合" and "ファイル変更": show the prompt for that tool. The
    // password is filled in when the data edit tool was let in last time and is asked for again.
    void askFor(MaintenanceTool tool);
    void onText1Changed(const QString& text) { text1.text = text; }
    void onCommand1();  // "OK"
    // The close box just closes: the prompt goes, the marks stay.

private:
    PasswordHost& host_;
};
