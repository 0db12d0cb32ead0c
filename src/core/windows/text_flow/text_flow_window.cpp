#include "core/windows/text_flow/text_flow_window.h"

#include <algorithm>

#include "core/message_titles.h"
#include "core/paper/text_flow.h"
#include "core/platform.h"

const QString TextFlowWindow::kCaption = QStringLiteral("文章流し込み");
const QString TextFlowWindow::kDesignText = QStringLiteral(
    "使い方\n"
    "ここで作成した文章をラベルに１０文字ずつ流し込むことが出来ます。\n"
    "「流し込み」コマンドで試してみてください。\n");
const QString TextFlowWindow::kHeadingReminder = QStringLiteral("見出し登録は済みましたか？");

TextFlowWindow::TextFlowWindow(WindowContext& context, TextFlowHost& host)
    : WindowModel(WindowId::TextFlow, context), host_(host) {
    reset();
}

void TextFlowWindow::reset() {
    text1 = {};
    text1.text = kDesignText;
    label1 = {};
    label1.caption = QStringLiteral("▼");
    label1.foreColor = kBlue;
    frame1.caption = QStringLiteral("用途別流しこみ先選択");
    option1 = {QStringLiteral("１０文字マス目用")};
    option2 = {QStringLiteral("罫線用")};
    command1 = {};
    command1.caption = QStringLiteral("流し込み");
    target_ = FlowTarget::Kanji;
    showTarget();
    command2 = {};
    command2.caption = QStringLiteral("本文消去");
    command2.backColor = kLightRed;
    command3 = {};
    command3.caption = QStringLiteral("テキスト消去");
}

void TextFlowWindow::unload() {
    if (host_.headingBoxText().isEmpty())
        context().platform().messageBox(kHeadingReminder, kCaption, MessageButtons::Ok,
                                        MessageIcon::Information);
}

QString TextFlowWindow::overwriteQuestion(int rows) {
    return QStringLiteral(
               "流し込む行のうち%1行に問題が入っています。\n"
               "これらの行の問題（読みがなと２つ目の言葉も）を流し込む文章で置き換えますか？")
        .arg(rows);
}

QString TextFlowWindow::restNotice(const QString& rest) {
    // The start of what was left out, on one line, so the teacher finds it in the text.
    QString start = rest.simplified().remove(u' ');
    if (start.size() > 10) start = start.left(10) + QStringLiteral("…");
    return QStringLiteral("１０行に入りきらないため、「%1」から後の%2文字は流し込んでいません。")
        .arg(start, QString::number(flowCharacterCount(rest)));
}

void TextFlowWindow::onCommand1Click() {
    context().nameStep(QStringLiteral("流し込み"));
    const FlowTarget t = target();
    const FlowedText flowed = flowText(text1.text);
    const int rows = static_cast<int>(flowed.rows.size());
    int holding = 0;
    for (int row = 1; row <= rows; ++row) holding += host_.gridRowHoldsProblem(row) ? 1 : 0;
    if (holding > 0 &&
        context().platform().messageBox(overwriteQuestion(holding), kConfirmTitle, MessageButtons::YesNo,
                                        MessageIcon::Question) != MessageAnswer::Yes)
        return;
    for (int row = 1; row <= rows; ++row) {
        // Nothing of the problem the row held stays under the flowed text.
        host_.clearGridRow(row);
        host_.setGridCell(row, t, flowed.rows[row - 1]);
    }
    if (!flowed.rest.isEmpty())
        context().platform().messageBox(restNotice(flowed.rest), kConfirmTitle, MessageButtons::Ok,
                                        MessageIcon::Information);
}

void TextFlowWindow::onCommand2Click() {
    context().nameStep(QStringLiteral("本文消去"));
    const FlowTarget t = target();
    for (int row = 1; row <= kFlowRows; ++row) host_.setGridCell(row, t, QString());
}

void TextFlowWindow::onCommand3Click() {
    onText1Changed(QString());
}

void TextFlowWindow::onOptionClick(int number) {
    if (number != 1 && number != 2) return;
    target_ = number == 1 ? FlowTarget::Kanji : FlowTarget::Before;
    showTarget();
}

void TextFlowWindow::showTarget() {
    option1.checked = target_ == FlowTarget::Kanji;
    option2.checked = target_ == FlowTarget::Before;
    command1.backColor = target_ == FlowTarget::Kanji ? kLightYellow : kLightCyan;
}

void TextFlowWindow::onText1Changed(const QString& text, int caretPosition, int caretX) {
    text1.text = text;
    // Characters between the start of the caret's line and the caret.
    const qsizetype caret = std::clamp<qsizetype>(caretPosition, 0, text.size());
    qsizetype lineStart = caret;
    while (lineStart > 0 && text[lineStart - 1] != u'\n' && text[lineStart - 1] != u'\r') --lineStart;
    const qsizetype column = caret - lineStart;
    label1.foreColor = column > kFlowRowLength ? kRed : kBlue;
    label1.left = caretX * kTwipsPerPixel;
}
