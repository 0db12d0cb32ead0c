#include "core/windows/help/button_help_window.h"

const std::vector<ButtonExplanation>& ButtonHelpWindow::explanations() {
    static const std::vector<ButtonExplanation> list{
        {u'A',
         1,
         QStringLiteral("【ファイルを開く】　*.mojファイルまたは　*.mojxファイルを開きます。"),
         {},
         {}},
        {u'B', 2, QStringLiteral("【新規作成】　新規の　*.mojxファイルを作ります。"), {}, {}},
        {u'C', 3, QStringLiteral("【白紙ページ作成】　新しいページを追加します。"), {}, {}},
        {u'D',
         4,
         QStringLiteral("【保存】　*.mojまたは　*.mojxファイルの追加や変更を　*.mojxファイルで保存します。"),
         {},
         {}},
        {u'E',
         6,
         QStringLiteral("【書き方】　書き取り用フォーマットに表示されている「よみがな」を印字します。"),
         {},
         {}},
        {u'F',
         7,
         QStringLiteral("【練習】　練習用フォーマットに表示されている「漢字」を印字します。"),
         {},
         {}},
        {u'G',
         8,
         QStringLiteral("【読み方】　読み方用フォーマットで表示文字を印字します。"),
         QStringLiteral("フォントサイズの変更も可能です。"),
         {}},
        {u'H', 9, QStringLiteral("【３票一括印刷】　D・E・Fの３票を一括で印字します。"), {}, {}},
        {u'I',
         10,
         QStringLiteral("【文作り】　文作り用フォーマットに表示されている「漢字」を印字します。"),
         {},
         QStringLiteral("  ")},
        {u'J',
         12,
         QStringLiteral("【単漢字表示】　単漢字入力用の画面に拡大できます。"),
         QStringLiteral("もとの画面にもどします。"),
         {}},
        {u'K', 13, QStringLiteral("【原稿用紙】　３つのフォーマットの原稿用紙を作成します。"), {}, {}},
        {u'L', 15, QStringLiteral("【フォント設定】　フォントネームとフォントサイズを取得します。"), {}, {}},
        {u'M',
         17,
         QStringLiteral("【表示項目全削除】　表示されている全項目削除します。一時記憶もします。"),
         {},
         {}},
        {u'N', 19, QStringLiteral("【ヘルプ】　この画面を表示します。"), {}, {}},
        {u'O', 21, QStringLiteral("【終了】　終了です。"), {}, {}},
        {u'P',
         23,
         QStringLiteral("【一覧票印刷】　表示されている単漢字・ひらがな・かたかなの一覧表を印字します。"),
         {},
         {}},
        {u'Q',
         24,
         QStringLiteral(
             "【漢字・かな練習帳】　一覧表から選択された「単漢字」を練習用フォーマットで印字します。"),
         {},
         {}},
    };
    return list;
}

QString ButtonHelpWindow::lettersFor(int firstIndex, int lastIndex) {
    QStringList letters;
    for (const ButtonExplanation& e : explanations())
        if (e.toolbarIndex >= firstIndex && e.toolbarIndex <= lastIndex) letters << QString(e.letter);
    return letters.join(u' ');
}

QStringList ButtonHelpWindow::listLines() {
    QStringList lines;
    for (const ButtonExplanation& e : explanations()) {
        lines << e.indent + e.letter + u'\u3000' + e.text;
        // The second line starts under the text, past the letter and its space.
        if (!e.secondLine.isEmpty()) lines << QStringLiteral("\u3000\u3000") + e.secondLine;
    }
    return lines;
}

ButtonHelpWindow::ButtonHelpWindow(WindowContext& context) : WindowModel(WindowId::ButtonHelp, context) {
    label2.caption = lettersFor(kImage1First, kImage1Last);
    label3.caption = lettersFor(kImage2First, kImage2Last);
    label4.caption = listLines().join(u'\n');
    label7.caption = QStringLiteral(
        "旧バージョンファイル（.moj）について・・・\n"
        "【初代字楽坊】のファイル（.moj）は、すべて【２０１１字楽坊】で使用することができます。\n"
        "また、同ファイル（.moj）は【２０１１字楽坊】のファイル（.mojｘ）に変換後保存されます。");
    label6.caption = QStringLiteral(
        "日本語フォントについて・・・\n"
        "フォントはその字体によって高さや幅が異なっています。\n"
        "このソフトでは、P（プロポーショナル）フォントもしくは等倍フォントを使用されることをお勧めします。");
    label5.caption = QStringLiteral(
        "エラーメッセージについて\n"
        "　oｎkun.txtとbase.mojは必須ファイルです。\n"
        "　本体2011JRB3.exeと同じフォルダーにおいて使用してください。\n"
        "　ファイルが壊れていたり、ない場合はナナホシ舎webサイトへ。");
}

void ButtonHelpWindow::onCommand1() {
    context().openWindow(WindowId::DataCreationHelp);
}
