// The file merge tool "ファイル結合" (Form14): joins problem files of one format into a new
// problem file, page lines in the order the files are picked, and can renumber the headings
// as a descending series of full-width numbers with a suffix (１０級, ９級, … １級). It works
// on the files' lines and never touches the workbook.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "core/data/file_merge.h"
#include "core/windows/control_state.h"
#include "core/windows/window_model.h"

class FileMergeWindow : public WindowModel {
public:
    static inline const QString kTitle = QStringLiteral("ファイル結合");
    static constexpr int kCollapsedHeight = 3225;  // twips
    static constexpr int kExpandedHeight = 5820;
    static inline const QString kShowCaption = QStringLiteral("編集テキスト表示");
    static inline const QString kHideCaption = QStringLiteral("非表示");

    explicit FileMergeWindow(WindowContext& context);
    QString title() const override { return kTitle; }

    // --- controls ---
    QString frame2Caption = QStringLiteral("ファイルの選択");
    OptionControl option3{QStringLiteral("旧バージョン（.moj）"), true};
    OptionControl option4{QStringLiteral("新バージョン（.mojx）")};
    struct {
        QString folder;  // whose files are listed, joined and written
        QString pattern = QStringLiteral("*.moj");
        QStringList items;  // without the backup copies ("…BK.moj", "…BK.mojx")
    } file1;
    // The folder shown above the file list, and the button that chooses another one.
    LabelControl label4;
    ButtonControl command4{QStringLiteral("フォルダー選択")};
    QStringList list1;  // names picked so far
    TextControl text3;  // font "ＭＳ Ｐゴシック", hidden at start
    ButtonControl command3{kShowCaption};
    TextControl text1;  // "0000"
    LabelControl label1{QStringLiteral(".moj")};
    QString frame1Caption = QStringLiteral("ナンバリング");
    OptionControl option1{QStringLiteral("Yes"), true};
    OptionControl option2{QStringLiteral("NO")};
    TextControl text2;  // "級"
    LabelControl label2{QStringLiteral("⇒")};
    LabelControl label3{QStringLiteral("⇒")};
    ButtonControl command1{QStringLiteral("実行")};
    ButtonControl command2{QStringLiteral("取消し")};
    int heightTwips = kCollapsedHeight;

    // The page lines collected so far, at most 201.
    const QStringList& collection() const { return collection_; }

    // --- events ---
    // "フォルダー選択": the folder dialog; the files picked so far stay picked.
    void onCommand4();
    void onOption3Click();  // "旧バージョン（.moj）"
    void onOption4Click();  // "新バージョン（.mojx）"
    void onOption1Click();  // numbering "Yes"
    void onOption2Click();  // numbering "NO"
    void onFile1Click(const QString& fileName);
    void onCommand3();  // show or hide the preview
    bool onCommand1();  // "実行"; true when the merged file was written
    void onCommand2();  // "取消し"
    void onText1Changed(const QString& text) { text1.text = text; }
    void onText2Changed(const QString& text) { text2.text = text; }
    // Lists the folder's files of the chosen format again.
    void refreshFile1();
    // A backup copy the saves leave beside a file ("aBK.mojx" for "a.mojx").
    static bool isBackupName(const QString& fileName);

private:
    // The window opens: lists the open workbook's folder, or the current folder.
    void load() override;
    void chooseFormat(filemerge::Format format);
    void showCollection();
    void error(const QString& text);

    QStringList collection_;
    QStringList pickedPaths_;  // the files of list1, each with its folder
};
