#include "core/windows/help/data_creation_help_window.h"

namespace {

const QString kContinuation = QStringLiteral("\n\u3000\u3000\u3000\u3000\u3000");

}  // namespace

DataCreationHelpWindow::DataCreationHelpWindow(WindowContext& context)
    : WindowModel(WindowId::DataCreationHelp, context) {}

QStringList DataCreationHelpWindow::steps() {
    return {
        QStringLiteral("操作①　ボタンで【データの呼び出し】か【新規作成】を選びます。"),
        QStringLiteral("操作②　見出しを登録します。"),
        QStringLiteral("操作③　【見出し登録】ボタンを押すと④に【＊＊編集中】と表示されます。"),
        QStringLiteral("操作⑤　入力したいラベルをクッリクすると⑥のテキストボックスがアクティブになります。") +
            kContinuation + QStringLiteral("必要なデータを入力すると⑤のラベルに表示されます。"),
        QStringLiteral(
            "操作⑦　入力後リターンキーで⑥のテキストボックスの色が変更され、入力の箇所が変わります。") +
            kContinuation + QStringLiteral("⑦の箇所が漢字の問題や練習に使われるデータになります。"),
        QStringLiteral("操作⑧　チェックボックスをクッリクするともう一つ【漢字の問題】を加えられます。"),
    };
}

const std::vector<StepMarker>& DataCreationHelpWindow::image1Markers() {
    static const std::vector<StepMarker> markers{
        {QStringLiteral("①"), {QStringLiteral("Toolbar1_1"), QStringLiteral("Toolbar1_2")}},
        {QStringLiteral("②"), {QStringLiteral("Combo1")}},
        {QStringLiteral("③"), {QStringLiteral("Command2")}},
        {QStringLiteral("④"), {QStringLiteral("Label11")}},
    };
    return markers;
}

const std::vector<StepMarker>& DataCreationHelpWindow::image2Markers() {
    static const std::vector<StepMarker> markers{
        {QStringLiteral("⑤"), {QStringLiteral("Label2(1)")}},
        {QStringLiteral("⑥"), {QStringLiteral("Text1")}},
        {QStringLiteral("⑦"), {QStringLiteral("Label3(1)")}},
        {QStringLiteral("⑧"), {QStringLiteral("Check3(1)")}},
    };
    return markers;
}

void DataCreationHelpWindow::onCommand2() {
    context().openWindow(WindowId::ButtonHelp);
}
