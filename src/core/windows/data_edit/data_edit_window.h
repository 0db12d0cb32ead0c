// The data edit tool "データ修正ツール" (OSForm1): a problem file edited as raw text lines,
// with find, replace one by one, replace all, a font-name aid for the records' font field,
// save and save under a name. It works on the file's text alone, never on the workbook.
#pragma once

#include <QString>
#include <QStringList>
#include <array>

#include "core/windows/control_state.h"
#include "core/windows/window_model.h"

// Find and replace on a text with a selection, as the tool's buttons do them. Plain
// functions on plain values: any text, search text and selection (even one outside the
// text) is accepted.
namespace dataedit {

struct TextState {
    QString text;
    qsizetype selStart = 0;
    qsizetype selLength = 0;
};

enum class FindOutcome { Found, Ended };
enum class ReplaceOutcome { NoMatchSelected, ReplacedAndFoundNext, ReplacedLast };

// Brings the selection inside the text.
void clampSelection(TextState& s);
// Looks for search (exactly, letter case counting) just after the selection and selects it.
// When there is none, the caret goes back to the start of the text so that the next search
// starts from the top. An empty search text finds nothing.
FindOutcome findNext(TextState& s, const QString& search);
// When the selection is the search text (letter case ignored), replaces it and selects the
// next occurrence after it (letter case ignored). An empty search text matches nothing.
ReplaceOutcome replaceAndFindNext(TextState& s, const QString& search, const QString& replacement);
// Replaces every occurrence of search, exactly, left to right, without overlaps; returns
// how many. An empty search text replaces nothing.
int replaceAll(QString& text, const QString& search, const QString& replacement);

// The window's text for a file's text: each line followed by "\n" (lines end at CR LF, LF or
// CR). The file's text for the window's text: lines ending in CR LF, the last one too, and
// no extra empty line, so an open-and-save cycle gives the same bytes.
QString textFromFile(const QString& fileText);
QStringList linesForFile(const QString& text);
// "aBK.moj" for "a.moj", "aBK.mojx" for "a.mojx", "notesBK.txt" for "notes.txt": the copy of
// the file about to be overwritten, in the file's own format.
QString backupPath(const QString& path);

}  // namespace dataedit

class DataEditWindow : public WindowModel {
public:
    static inline const QString kTitle = QStringLiteral("データ修正ツール");
    static inline const QString kNoFile = QStringLiteral("ファイル");
    static inline const QString kOpenFilter =
        QStringLiteral("漢字ファイル(*.moj)|*.moj|漢字ファイル(*.mojx)|*.mojx|全てのファイル(*.*)|*.*");
    static inline const QString kSaveFilter =
        QStringLiteral("すべてのファイル (*.*)|*.*|漢字ファイル(*.moj)|*.moj|");
    static inline const QString kSearchEnded = QStringLiteral("検索が終わりました");
    static inline const QString kNoSearchText = QStringLiteral("検索文字がありません");
    static inline const QString kReplaced = QStringLiteral("置換しました");
    static inline const QString kReplacedAll = QStringLiteral("全てを置き換えました");
    static inline const QString kUnsavedQuestion =
        QStringLiteral("変更した内容が保存されていません。\n保存しますか？");
    // Display sizes of txtMain for the items of Combo1.
    static constexpr std::array<double, 3> kDisplaySizes{11, 15, 9};

    explicit DataEditWindow(WindowContext& context);
    QString title() const override { return kTitle; }

    // --- controls ---
    QString editPath;
    TextControl txtMain;  // font "ＭＳ Ｐゴシック", 11 points
    LabelControl label1{QStringLiteral("ファイル名とパス")};
    LabelControl label2{
        QStringLiteral("データで指定してあるフォントがプリンターにない場合は印刷に反映されません。\r\n"
                       "変更するフォントを指定してから、左の《フォント変更》をクッリクしてください。")};
    TextControl text1;  // search text
    TextControl text2;  // replacement text
    ButtonControl command1{QStringLiteral("検索")};
    ButtonControl command4{QStringLiteral("置換")};
    ButtonControl command3{QStringLiteral("全置換")};
    ButtonControl command5{QStringLiteral("フォント変更")};
    struct {
        QString text = QStringLiteral("文字サイズ");
        QStringList items{QStringLiteral("標準文字"), QStringLiteral("大きい文字"),
                          QStringLiteral("小さい文字")};
        int listIndex = -1;
    } combo1;
    ButtonControl comOpen{QStringLiteral("ファイルを開く")};
    ButtonControl comSave{QStringLiteral("上書き保存")};
    ButtonControl comSaveas{QStringLiteral("名前を付けて保存")};
    ButtonControl command2{QStringLiteral("終了")};

    // True while txtMain holds edits that no file has.
    bool modified() const { return modified_; }

    // --- events ---
    void onComOpen();   // "ファイルを開く"
    void onCommand1();  // "検索"
    void onCommand4();  // "置換"
    void onCommand3();  // "全置換"
    void onCommand5();  // "フォント変更"
    void onCombo1Click(int index);
    bool onComSave();    // "上書き保存"; true when the file was written
    bool onComSaveas();  // "名前を付けて保存"
    // "終了" and the close box: asks about unsaved edits; true when the window closed.
    bool onCommand2();
    bool closeBoxClicked() override { return onCommand2(); }
    // The user changed the text or the selection of txtMain, or released a mouse button on it.
    void onTxtMainChanged(const QString& text);
    void onTxtMainSelectionChanged(qsizetype start, qsizetype length);
    void onTxtMainMouseUp();
    void onText1Changed(const QString& text) { text1.text = text; }
    void onText2Changed(const QString& text) { text2.text = text; }

private:
    // The window opens: loads the file of status-bar panel 1.
    void load() override;
    // Reads a file into txtMain; false (and nothing changed) when it cannot be read. Errors
    // are reported, a missing file only when reportMissing is set.
    bool readInto(const QString& path, bool reportMissing);
    // Writes txtMain to path with a backup of the file it replaces; false, with a message,
    // when nothing could be written.
    bool save(const QString& path);
    // Asks whether to save unsaved edits first; false when the user cancels (or the save fails).
    bool settleUnsavedEdits();
    void setText(const QString& text);
    dataedit::TextState state() const;
    void apply(const dataedit::TextState& s);
    void message(const QString& text);

    bool modified_ = false;
};
