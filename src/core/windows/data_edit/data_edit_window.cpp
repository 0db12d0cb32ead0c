#include "core/windows/data_edit/data_edit_window.h"

#include <QFileInfo>
#include <algorithm>

#include "core/data/problem_files.h"
#include "core/message_titles.h"
#include "core/platform.h"

namespace dataedit {
namespace {

// The lines of a text: a line ends at CR LF, LF or CR; a terminator at the very end starts
// no further line.
QStringList splitLines(const QString& text) {
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines << line;
            line.clear();
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.isEmpty()) lines << line;
    return lines;
}

}  // namespace

void clampSelection(TextState& s) {
    s.selStart = std::clamp<qsizetype>(s.selStart, 0, s.text.size());
    s.selLength = std::clamp<qsizetype>(s.selLength, 0, s.text.size() - s.selStart);
}

FindOutcome findNext(TextState& s, const QString& search) {
    clampSelection(s);
    const qsizetype from = s.selStart + s.selLength;
    const qsizetype at = search.isEmpty() ? -1 : s.text.indexOf(search, from, Qt::CaseSensitive);
    if (at >= 0) {
        s.selStart = at;
        s.selLength = search.size();
        return FindOutcome::Found;
    }
    s.selStart = 0;
    s.selLength = 0;
    return FindOutcome::Ended;
}

ReplaceOutcome replaceAndFindNext(TextState& s, const QString& search, const QString& replacement) {
    clampSelection(s);
    if (search.isEmpty() ||
        QStringView(s.text).mid(s.selStart, s.selLength).compare(search, Qt::CaseInsensitive) != 0)
        return ReplaceOutcome::NoMatchSelected;
    s.text.replace(s.selStart, s.selLength, replacement);
    s.selStart += replacement.size();
    s.selLength = 0;
    const qsizetype next = s.text.indexOf(search, s.selStart, Qt::CaseInsensitive);
    if (next < 0) return ReplaceOutcome::ReplacedLast;
    s.selStart = next;
    s.selLength = search.size();
    return ReplaceOutcome::ReplacedAndFoundNext;
}

int replaceAll(QString& text, const QString& search, const QString& replacement) {
    if (search.isEmpty()) return 0;
    QString result;
    int count = 0;
    qsizetype pos = 0;
    for (qsizetype at; (at = text.indexOf(search, pos, Qt::CaseSensitive)) >= 0; pos = at + search.size()) {
        result += QStringView(text).mid(pos, at - pos);
        result += replacement;
        ++count;
    }
    if (count == 0) return 0;
    result += QStringView(text).mid(pos);
    text = result;
    return count;
}

QString textFromFile(const QString& fileText) {
    QString text;
    for (const QString& line : splitLines(fileText)) text += line + u'\n';
    return text;
}

QStringList linesForFile(const QString& text) {
    return splitLines(text);
}

QString backupPath(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    // A dot that begins the file name (".hidden") starts no extension.
    if (dot > slash + 1) return path.left(dot) + QStringLiteral("BK") + path.mid(dot);
    return path + QStringLiteral("BK");
}

}  // namespace dataedit

DataEditWindow::DataEditWindow(WindowContext& context) : WindowModel(WindowId::DataEdit, context) {
    txtMain.fontName = QStringLiteral("ＭＳ Ｐゴシック");
    txtMain.fontSize = kDisplaySizes[0];
}

void DataEditWindow::message(const QString& text) {
    context().platform().messageBox(text, kTitle, MessageButtons::Ok, MessageIcon::Information);
}

dataedit::TextState DataEditWindow::state() const {
    return {txtMain.text, txtMain.selStart, txtMain.selLength};
}

void DataEditWindow::apply(const dataedit::TextState& s) {
    if (s.text != txtMain.text) {
        txtMain.text = s.text;
        modified_ = true;
    }
    txtMain.selStart = s.selStart;
    txtMain.selLength = s.selLength;
}

void DataEditWindow::setText(const QString& text) {
    txtMain.text = text;
    txtMain.selStart = 0;
    txtMain.selLength = 0;
}

bool DataEditWindow::readInto(const QString& path, bool reportMissing) {
    const TextFile f = readCp932File(path);
    if (f.error != FileError::None) {
        if (f.error != FileError::NotFound || reportMissing)
            context().platform().messageBox(f.message, kErrorTitle, MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    setText(dataedit::textFromFile(f.text));
    modified_ = false;
    return true;
}

void DataEditWindow::load() {
    editPath = context().problemFile();
    label1.caption = editPath;
    // No file yet ("ファイル") or a file that has gone: the window opens empty, quietly.
    if (editPath != kNoFile && !editPath.isEmpty()) readInto(editPath, false);
    command1.caption = QStringLiteral("検索");
}

void DataEditWindow::onComOpen() {
    const std::optional<QString> chosen = context().platform().showOpen(kOpenFilter, 1, editPath);
    if (!chosen) return;
    if (!settleUnsavedEdits()) return;
    if (!readInto(*chosen, true)) return;
    editPath = *chosen;
    label1.caption = editPath;
    command1.caption = QStringLiteral("検索");
}

void DataEditWindow::onCommand1() {
    dataedit::TextState s = state();
    const dataedit::FindOutcome outcome = dataedit::findNext(s, text1.text);
    apply(s);
    if (outcome == dataedit::FindOutcome::Ended) {
        message(kSearchEnded);
        command1.caption = QStringLiteral("再検索");
    }
}

void DataEditWindow::onCommand4() {
    dataedit::TextState s = state();
    switch (dataedit::replaceAndFindNext(s, text1.text, text2.text)) {
    case dataedit::ReplaceOutcome::NoMatchSelected: message(kNoSearchText); break;
    case dataedit::ReplaceOutcome::ReplacedLast:
        apply(s);
        message(kReplaced);
        break;
    case dataedit::ReplaceOutcome::ReplacedAndFoundNext:
        apply(s);
        command4.caption = QStringLiteral("次置換");
        break;
    }
}

void DataEditWindow::onCommand3() {
    QString text = txtMain.text;
    if (dataedit::replaceAll(text, text1.text, text2.text) > 0) {
        setText(text);
        modified_ = true;
    }
    message(kReplacedAll);
}

void DataEditWindow::onCommand5() {
    FontChoice start;
    start.name = text1.text.isEmpty() ? QStringLiteral("ＭＳ Ｐ明朝") : text1.text;
    start.size = 11;
    if (const std::optional<FontChoice> chosen = context().platform().showFont(start))
        text2.text = chosen->name;
}

void DataEditWindow::onCombo1Click(int index) {
    if (index < 0 || index >= combo1.items.size()) return;
    combo1.listIndex = index;
    combo1.text = combo1.items[index];
    txtMain.fontSize = kDisplaySizes[static_cast<size_t>(index)];
}

bool DataEditWindow::save(const QString& path) {
    const QStringList lines = dataedit::linesForFile(txtMain.text);
    QString error;
    auto fail = [&] {
        context().platform().messageBox(error, kErrorTitle, MessageButtons::Ok, MessageIcon::Error);
        return false;
    };
    // Nothing on disk changes unless every character can be written.
    if (!unencodableInLines(lines).isEmpty()) {
        writeCp932Lines(path, lines, &error);  // writes nothing, words the message
        return fail();
    }
    if (QFileInfo(path).isFile() && !writeBackupTo(path, dataedit::backupPath(path), &error)) return fail();
    if (!writeCp932Lines(path, lines, &error)) return fail();
    modified_ = false;
    return true;
}

bool DataEditWindow::onComSave() {
    // Without a file there is nothing to write back to: ask for a name instead.
    if (label1.caption == kNoFile || label1.caption.isEmpty()) return onComSaveas();
    if (!save(label1.caption)) return false;
    editPath = label1.caption;
    return true;
}

bool DataEditWindow::onComSaveas() {
    const QString proposed = editPath == kNoFile ? QString() : editPath;
    const std::optional<QString> chosen = context().platform().showSave(kSaveFilter, 2, proposed);
    if (!chosen || chosen->isEmpty()) return false;
    if (!save(*chosen)) return false;
    editPath = *chosen;
    // Label1 keeps the file it showed; only a window without one takes the new name.
    if (label1.caption == kNoFile || label1.caption.isEmpty()) label1.caption = editPath;
    return true;
}

bool DataEditWindow::settleUnsavedEdits() {
    if (!modified_) return true;
    switch (context().platform().messageBox(kUnsavedQuestion, kConfirmTitle, MessageButtons::YesNoCancel,
                                            MessageIcon::Question)) {
    case MessageAnswer::Yes: return onComSave();
    case MessageAnswer::No: return true;
    default: return false;
    }
}

bool DataEditWindow::onCommand2() {
    if (!isOpen()) return true;
    if (!settleUnsavedEdits()) return false;
    close();
    return true;
}

void DataEditWindow::onTxtMainChanged(const QString& text) {
    if (text == txtMain.text) return;
    txtMain.text = text;
    modified_ = true;
    dataedit::TextState s = state();
    dataedit::clampSelection(s);
    txtMain.selStart = s.selStart;
    txtMain.selLength = s.selLength;
}

void DataEditWindow::onTxtMainSelectionChanged(qsizetype start, qsizetype length) {
    dataedit::TextState s{txtMain.text, start, length};
    dataedit::clampSelection(s);
    txtMain.selStart = s.selStart;
    txtMain.selLength = s.selLength;
}

void DataEditWindow::onTxtMainMouseUp() {
    text1.text = txtMain.text.mid(txtMain.selStart, txtMain.selLength);
}
