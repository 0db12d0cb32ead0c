#include "core/windows/ruled/ruled_window.h"

#include "core/platform.h"
#include "core/printing/job_title.h"
#include "core/windows/print_run.h"

const QString RuledWindow::kCaption = QStringLiteral("罫線用紙印刷");
const QString RuledWindow::kRowCountMessage =
    QStringLiteral("行数には %1 から %2 までの整数を入れてください。").arg(kMinRuledRows).arg(kMaxRuledRows);

RuledWindow::RuledWindow(WindowContext& context) : WindowModel(WindowId::RuledPaper, context) {
    reset();
}

void RuledWindow::reset() {
    label1.caption = QStringLiteral("行数設定");
    label2 = {};
    label3 = {};
    combo1.text = QStringLiteral("20");
    combo1.items = {QStringLiteral("30"), QStringLiteral("20"), QStringLiteral("15"), QStringLiteral("10")};
    frame1.caption = QStringLiteral("補助中心線");
    option1 = {QStringLiteral("あり"), false};
    option2 = {QStringLiteral("なし"), true};
    text1.text = QStringLiteral("ナナホシ舎");
    command1.caption = QStringLiteral("印刷");
}

void RuledWindow::unload() {
    context().closeWindow(WindowId::ManuscriptPaper);
}

void RuledWindow::onCombo1Changed(const QString& text) {
    combo1.text = text;
}

void RuledWindow::onOptionClick(int number) {
    if (number != 1 && number != 2) return;
    option1.checked = number == 1;
    option2.checked = number == 2;
}

void RuledWindow::onText1Changed(const QString& text) {
    text1.text = text;
}

void RuledWindow::onCommand1Click() {
    genko();
}

bool RuledWindow::genko() {
    const std::optional<int> rows = parseRuledRows(combo1.text);
    if (!rows) {
        context().platform().messageBox(kRowCountMessage, kCaption, MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }
    RuledPaperOptions o;
    o.rows = *rows;
    o.centerLines = option1.checked;
    o.title = text1.text;
    // No dialog: the printer chosen with "設定変更", else the system's default printer, else a
    // PDF file the teacher names.
    PrintRequest request;
    request.title = kRuledPaperJobTitle;
    request.askPrinter = false;
    request.device = context().fixedPrinterMode() ? PrintDevice::Printer : PrintDevice::DefaultPrinter;
    request.messageTitle = kCaption;
    return runPrint(context().platform(), request, [&o](PrintSurface& s) { drawRuledPaper(s, o); }) ==
           PrintResult::Printed;
}
