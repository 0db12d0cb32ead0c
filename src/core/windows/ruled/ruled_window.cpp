#include "windows/ruled/ruled_window.h"

#include <QDir>

#include "platform.h"
#include "printing/print_surface.h"

const QString RuledWindow::kCaption = QStringLiteral("罫線用紙印刷");
const QString RuledWindow::kRowCountMessage =
    QStringLiteral("行数には %1 から %2 までの整数を入れてください。").arg(kMinRuledRows).arg(kMaxRuledRows);

namespace {
const QString kPdfFilter = QStringLiteral("PDFファイル(*.pdf)|*.pdf|");
const QString kPdfName = QStringLiteral("罫線用紙.pdf");
}  // namespace

RuledWindow::RuledWindow(RuledHost& host) : host_(host) {
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

void RuledWindow::open() {
    if (open_) return;
    reset();
    open_ = true;
}

void RuledWindow::close() {
    if (!open_) return;
    open_ = false;
    host_.windowClosed(kId);
    host_.closeWindow(WindowId::ManuscriptPaper);
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

std::unique_ptr<PrintSurface> RuledWindow::device() {
    Platform& p = host_.platform();
    if (std::unique_ptr<PrintSurface> s =
            host_.fixedPrinterMode() ? p.printerSurface() : p.defaultPrinterSurface())
        return s;
    // No printer on this system: a PDF file stands in for it.
    const std::optional<QString> path =
        p.showSave(kPdfFilter, 1, QDir(p.currentDirectory()).filePath(kPdfName));
    if (!path) return nullptr;
    std::unique_ptr<PrintSurface> s = p.pdfFileSurface(*path);
    if (!s)
        p.messageBox(QStringLiteral("%1 に書き込めないため、印刷しませんでした。")
                         .arg(QDir::toNativeSeparators(*path)),
                     kCaption, MessageButtons::Ok, MessageIcon::Warning);
    return s;
}

bool RuledWindow::genko() {
    const std::optional<int> rows = parseRuledRows(combo1.text);
    if (!rows) {
        host_.platform().messageBox(kRowCountMessage, kCaption, MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }
    std::unique_ptr<PrintSurface> s = device();
    if (!s) return false;
    RuledPaperOptions o;
    o.rows = *rows;
    o.centerLines = option1.checked;
    o.title = text1.text;
    drawRuledPaper(*s, o);
    s->endDocument();
    return true;
}
