#include "core/windows/file_merge/file_merge_window.h"

#include <QDir>
#include <QFileInfo>

#include "core/data/atomic_file.h"
#include "core/data/field_stream.h"
#include "core/data/problem_files.h"
#include "core/data/text_codec.h"
#include "core/data/workbook.h"
#include "core/message_titles.h"
#include "core/platform.h"

FileMergeWindow::FileMergeWindow(WindowContext& context) : WindowModel(WindowId::FileMerge, context) {
    text3.fontName = QStringLiteral("ＭＳ Ｐゴシック");
    text3.visible = false;
    text1.text = QStringLiteral("0000");
    text2.text = QStringLiteral("級");
}

void FileMergeWindow::error(const QString& text) {
    context().platform().messageBox(text, kTitle, MessageButtons::Ok, MessageIcon::Warning);
}

void FileMergeWindow::load() {
    const QString workbook = context().workbookFolder();
    file1.folder = workbook.isEmpty() ? context().platform().currentDirectory() : workbook;
    refreshFile1();
}

void FileMergeWindow::onCommand4() {
    const std::optional<QString> chosen = context().platform().showFolder(
        QStringLiteral("結合するファイルのあるフォルダーを選んでください"), file1.folder);
    if (!chosen) return;
    file1.folder = *chosen;
    refreshFile1();
}

bool FileMergeWindow::isBackupName(const QString& fileName) {
    return QFileInfo(fileName).completeBaseName().endsWith(QLatin1String("BK"));
}

void FileMergeWindow::refreshFile1() {
    label4.caption = QDir::toNativeSeparators(file1.folder);
    QDir dir(file1.folder);
    file1.items = dir.entryList({file1.pattern}, QDir::Files | QDir::CaseSensitive, QDir::Name);
    file1.items.removeIf(isBackupName);
}

void FileMergeWindow::showCollection() {
    QString text;
    for (const QString& line : collection_) text += line + u'\n';
    text3.text = text;
}

void FileMergeWindow::chooseFormat(filemerge::Format format) {
    const bool moj = format == filemerge::Format::Moj;
    if (option3.checked == moj && option4.checked == !moj) return;  // already chosen
    option3.checked = moj;
    option4.checked = !moj;
    file1.pattern = moj ? QStringLiteral("*.moj") : QStringLiteral("*.mojx");
    label1.caption = filemerge::extension(format);
    // Lines of the two formats never meet in one file: the collection goes with the names.
    collection_.clear();
    list1.clear();
    pickedPaths_.clear();
    text3.text.clear();
    refreshFile1();
}

void FileMergeWindow::onOption3Click() {
    chooseFormat(filemerge::Format::Moj);
}
void FileMergeWindow::onOption4Click() {
    chooseFormat(filemerge::Format::Mojx);
}

void FileMergeWindow::onOption1Click() {
    option1.checked = true;
    option2.checked = false;
}

void FileMergeWindow::onOption2Click() {
    option1.checked = false;
    option2.checked = true;
}

void FileMergeWindow::onFile1Click(const QString& fileName) {
    // "moj" and "ojx" tell the formats apart, whatever else the list shows.
    if (fileName.right(3) != label1.caption.right(3)) return;
    const filemerge::PageLines read = filemerge::readPageLines(QDir(file1.folder).filePath(fileName));
    if (!read.error.isEmpty()) {
        error(read.error);
        return;
    }
    const qsizetype total = collection_.size() + read.lines.size();
    if (total > kMaxPages) {
        error(filemerge::tooManyPagesMessage(fileName, static_cast<int>(total)));
        return;
    }
    list1 << fileName;
    pickedPaths_ << QDir(file1.folder).filePath(fileName);
    collection_ += read.lines;
    showCollection();
}

void FileMergeWindow::onCommand3() {
    const bool show = command3.caption == kShowCaption;
    text3.visible = show;
    heightTwips = show ? kExpandedHeight : kCollapsedHeight;
    command3.caption = show ? kHideCaption : kShowCaption;
}

bool FileMergeWindow::onCommand1() {
    Platform& platform = context().platform();
    QString name;
    const QString nameProblem = filemerge::checkOutputName(text1.text, &name);
    if (!nameProblem.isEmpty()) {
        error(nameProblem);
        return false;
    }
    if (collection_.isEmpty()) {
        error(QStringLiteral("結合するファイルを左の一覧から選んでください。"));
        return false;
    }
    if (option1.checked) {
        if (const std::optional<QChar> bad = filemerge::unusableSuffixCharacter(text2.text)) {
            error(*bad == u'"'
                      ? QStringLiteral("ナンバリングの文字に「\"」は使えません（見出しに書けません）。"
                                       "ほかの文字にしてください。")
                      : QStringLiteral("ナンバリングの文字に改行やタブなどの制御文字は使えません。"
                                       "ほかの文字にしてください。"));
            return false;
        }
    }
    const QString fileName = name + label1.caption;
    const QString path = QDir(file1.folder).filePath(fileName);
    // Writing over a file being joined would lose its pages (also through a link to it).
    for (const QString& picked : pickedPaths_) {
        if (!isSameFile(path, picked)) continue;
        error(
            QStringLiteral("%1 は結合するファイルの一つです。結合したファイルには別の名前を付けてください。")
                .arg(fileName));
        return false;
    }
    if (QFileInfo::exists(path) &&
        platform.messageBox(QStringLiteral("%1 はすでにあります。上書きしますか？").arg(fileName),
                            kConfirmTitle, MessageButtons::YesNo,
                            MessageIcon::Question) != MessageAnswer::Yes)
        return false;
    const QStringList lines =
        option1.checked ? filemerge::renumberHeadings(collection_, text2.text) : collection_;
    QString message;
    if (!writeCp932Lines(path, lines, &message)) {
        // The collection stays, so the merge can be run again under another name.
        platform.messageBox(message + QStringLiteral("\n選んだファイルはそのまま残してあります。"),
                            kErrorTitle, MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    collection_.clear();
    list1.clear();
    pickedPaths_.clear();
    text3.text.clear();
    refreshFile1();
    return true;
}

void FileMergeWindow::onCommand2() {
    collection_.clear();
    list1.clear();
    pickedPaths_.clear();
    text3.text.clear();
}
