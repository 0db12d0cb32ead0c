#include "core/windows/manuscript/manuscript_window.h"

#include <QDir>
#include <QFileInfo>

#include "core/message_titles.h"
#include "core/platform.h"
#include "core/printing/job_title.h"
#include "core/printing/print_surface.h"
#include "core/printing/sheet_common.h"
#include "core/windows/print_run.h"

const QString ManuscriptWindow::kCaption = QStringLiteral("原稿用紙-クリックで印刷");
const QString ManuscriptWindow::kAdvice = QStringLiteral("＠マーク付フォントをお勧めします");

namespace {

// The option groups: the first of each pair is the one the zeros of a missing file select.
struct OptionPair {
    int first, second;
};
constexpr OptionPair kCrossPair{1, 2};    // なし, あり
constexpr OptionPair kPaperPair{8, 9};    // Ａ４, Ｂ４
constexpr OptionPair kReadingPair{6, 7};  // あり, なし
constexpr OptionPair kColorPair{5, 3};    // 標準（黒）, その他の色

QString optionsPathToRead(Platform& p) {
    return settingsFileToRead(p, kManuscriptOptionsFileName);
}
QString optionsPathToWrite(Platform& p) {
    return settingsFileToWrite(p, kManuscriptOptionsFileName);
}

}  // namespace

ManuscriptWindow::ManuscriptWindow(WindowContext& context, ManuscriptHost& host)
    : WindowModel(WindowId::ManuscriptPaper, context), host_(host) {
    const char* sizes[] = {"２０×２０", "１２×１２", "１４×１４", "１６×１６"};
    for (size_t i = 0; i < command1.size(); ++i) {
        command1[i].caption = QString::fromUtf8(sizes[i]);
        command1[i].backColor = kColorSizeDone;
    }
    command2.backColor = kColorPracticeDone;
    command3.caption = QStringLiteral("文字色　変更");
    command3.visible = false;
    frame1 = {QStringLiteral("補助中心線"), QStringLiteral("十字の補助線を引きます")};
    frame2.caption = QStringLiteral("印字の濃淡");
    frame3.caption = QStringLiteral("ルビ印字");
    frame4.caption = QStringLiteral("用紙サイズ");
    option[1].caption = QStringLiteral("なし");
    option[2].caption = QStringLiteral("あり");
    option[3].caption = QStringLiteral("その他の色");
    option[5].caption = QStringLiteral("標準（黒）");
    option[6].caption = QStringLiteral("あり");
    option[7].caption = QStringLiteral("なし");
    option[8].caption = QStringLiteral("Ａ４");
    option[9].caption = QStringLiteral("Ｂ４");
    label1.caption = QStringLiteral("前回使った色");
    label2.backColor = kColorBlack;
    label4.caption = QStringLiteral("タイトル");
    text1.text = QStringLiteral("原稿用紙");
    text1.tooltip = QStringLiteral("用紙識別のためのテキスト入力");
    for (int n : {kCrossPair.first, kPaperPair.first, kReadingPair.first, kColorPair.first})
        option[static_cast<size_t>(n)].checked = true;
}

void ManuscriptWindow::load() {
    refreshPracticeCaption();
    label3.caption = context().fontName().startsWith(u'@') ? QString() : kAdvice;

    const ManuscriptOptionsReadResult read = readManuscriptOptions(
        optionsPathToRead(context().platform()),
        QDir(context().platform().configDirectory()).filePath(kManuscriptOptionsFileName));
    carried_ = read.options;
    applyOptions(read.options);
    // Once a run: a shared FN.txt of the current folder is read again at every opening.
    if (!read.readWhole && !readProblemShown_) {
        readProblemShown_ = true;
        context().platform().messageBox(read.problem, kConfirmTitle, MessageButtons::Ok,
                                        MessageIcon::Warning);
    }
}

void ManuscriptWindow::applyOptions(const ManuscriptFileOptions& o) {
    label2.backColor = o.color;
    colorValue = o.color;
    onOptionClick(o.cross ? kCrossPair.second : kCrossPair.first);
    onOptionClick(o.b4 ? kPaperPair.second : kPaperPair.first);
    onOptionClick(o.readings ? kReadingPair.first : kReadingPair.second);
    // "標準（黒）" makes the colour black, as clicking it does.
    onOptionClick(o.otherColor ? kColorPair.second : kColorPair.first);
    text1.text = o.title;
}

ManuscriptFileOptions ManuscriptWindow::fileOptions() const {
    ManuscriptFileOptions o = carried_;
    o.cross = option[kCrossPair.second].checked;
    o.b4 = option[kPaperPair.second].checked;
    o.readings = option[kReadingPair.first].checked;
    o.otherColor = option[kColorPair.second].checked;
    o.title = text1.text;
    o.color = colorValue;
    return o;
}

void ManuscriptWindow::unload() {
    QString message;
    if (!writeManuscriptOptions(optionsPathToWrite(context().platform()), fileOptions(), &message))
        context().platform().messageBox(QStringLiteral("原稿用紙の設定を保存できませんでした。\n") + message,
                                        kConfirmTitle, MessageButtons::Ok, MessageIcon::Warning);
    context().closeWindow(WindowId::RuledPaper);
}

void ManuscriptWindow::onOptionClick(int number) {
    for (const OptionPair& pair : {kCrossPair, kPaperPair, kReadingPair, kColorPair}) {
        if (number != pair.first && number != pair.second) continue;
        option[static_cast<size_t>(pair.first)].checked = number == pair.first;
        option[static_cast<size_t>(pair.second)].checked = number == pair.second;
    }
    if (number == kColorPair.first) {
        command3.visible = false;
        label2.backColor = kColorBlack;
        colorValue = kColorBlack;
    } else if (number == kColorPair.second) {
        command3.visible = true;
    }
}

void ManuscriptWindow::onCommand3Click() {
    // A cancel keeps the colour chosen before.
    if (const std::optional<int> c = context().platform().showColor(QStringLiteral("文字色"), colorValue)) {
        colorValue = *c;
        label2.backColor = *c;
    }
}

void ManuscriptWindow::refreshPracticeCaption() {
    QString practice;
    for (int row = 1; row <= 10; ++row) practice += host_.gridKanji(row) + QStringLiteral("・");
    command2.caption = practice + QStringLiteral("の練習プリント");
}

void ManuscriptWindow::onText1Changed(const QString& text) {
    text1.text = text;
}

ManuscriptOptions ManuscriptWindow::paperOptions(int squares) const {
    ManuscriptOptions o;
    o.squares = squares;
    o.b4 = option[kPaperPair.second].checked;
    o.cross = option[kCrossPair.second].checked;
    o.title = text1.text;
    o.fontName = sheetFontName(context().fontName(), QString());
    return o;
}

void ManuscriptWindow::print(const QString& title, const std::function<void(PrintSurface&)>& draw) {
    // The dialog every time, whatever the printer mode of the main window.
    PrintRequest request;
    request.title = title;
    lastPrintCancelled_ = runPrint(context().platform(), request, draw) == PrintResult::Cancelled;
}

void ManuscriptWindow::onCommand1Click(int index) {
    if (index < 0 || index >= static_cast<int>(command1.size())) return;
    command1[static_cast<size_t>(index)].backColor = kColorPrinting;
    context().showNow();  // red at once, while the dialog shows
    const ManuscriptOptions paper = paperOptions(kSquares[static_cast<size_t>(index)]);
    print(kManuscriptPaperJobTitle, [&paper](PrintSurface& s) { drawManuscriptPaper(s, paper); });
    for (ButtonControl& b : command1) b.backColor = kColorSizeDone;
}

void ManuscriptWindow::onCommand2Click() {
    command2.backColor = kColorPrinting;
    context().showNow();  // red at once, while the dialog shows
    PracticeRows rows;
    for (int r = 1; r <= 10; ++r) {
        rows.kanji[static_cast<size_t>(r)] = host_.gridKanji(r);
        rows.reading[static_cast<size_t>(r)] = host_.gridReading(r);
    }
    PracticeOptions practice;
    practice.readings = option[kReadingPair.first].checked;
    practice.color = colorValue;
    practice.modelShift = {host_.kanaOffset1(), host_.kanaOffset2()};
    // Named after the problem file, as the command line names it.
    const QString file = context().problemFile();
    const QString title = practiceSheetJobTitle(file == u"ファイル" ? QString() : file);
    const ManuscriptOptions paper = paperOptions(10);
    print(title, [&](PrintSurface& s) { drawPracticeSheet(s, paper, rows, practice); });
    command2.backColor = kColorPracticeDone;
}
