#include "core/printing/job_title.h"

#include <QFileInfo>

#include "core/printing/dictation_sheet.h"
#include "core/printing/reading_sheet.h"
#include "core/printing/sentence_sheet.h"
#include "core/printing/tracing_sheet.h"

QString shortJobTitle(const QString& text, qsizetype maxChars) {
    // Where the characters end: a surrogate pair is one character.
    const auto next = [&](qsizetype i) {
        return (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? i + 2
                                                                                                  : i + 1;
    };
    qsizetype end = 0, chars = 0, cut = 0;
    while (end < text.size() && chars <= maxChars) {
        if (chars == maxChars - 1) cut = end;
        end = next(end);
        ++chars;
    }
    const bool tooLong = chars > maxChars;
    QString out = tooLong ? text.left(cut) : text;
    for (QChar& c : out)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = u' ';
    if (tooLong) out += u'…';
    return out;
}

QString printJobName(const QString& title) {
    return title.isEmpty() ? kProgramName : kJobNamePrefix + shortJobTitle(title, kJobTitleChars);
}

QString pdfFileNameOf(const QString& name) {
    QString file = name;
    file.replace(u'/', u'・');
    return file + QStringLiteral(".pdf");
}

QString sheetShortName(SheetKind kind) {
    switch (kind) {
    case SheetKind::Dictation: return QStringLiteral("書き取り");
    case SheetKind::Tracing: return QStringLiteral("練習");
    case SheetKind::Reading: return QStringLiteral("読み方");
    case SheetKind::ThreeSheets: return QStringLiteral("３票一括");
    case SheetKind::Sentence: return QStringLiteral("文作り");
    }
    return {};
}

QString sheetTitle(SheetKind sheet) {
    switch (sheet) {
    case SheetKind::Dictation: return kDictationTitle;
    case SheetKind::Tracing: return kTracingTitle;
    case SheetKind::Reading: return kReadingTitle;
    case SheetKind::Sentence: return kSentenceTitle;
    case SheetKind::ThreeSheets: break;
    }
    return {};
}

QString everyPageSheetName(SheetKind kind, int pageCount) {
    return sheetShortName(kind) + QStringLiteral("（全%1頁）").arg(pageCount);
}

QString sheetJobTitle(const QString& name, const QString& sheet) {
    return name.isEmpty() ? sheet : shortJobTitle(name) + QStringLiteral(" - ") + sheet;
}

QString practiceBookJobTitle(const QString& kanji) {
    return kanji.isEmpty() ? QStringLiteral("漢字練習帳") : QStringLiteral("漢字練習帳 ") + kanji;
}

QString gradeTableJobTitle(int grade) {
    return grade < 1 ? QStringLiteral("漢字一覧表") : QStringLiteral("漢字一覧表 %1年").arg(grade);
}

QString practiceSheetJobTitle(const QString& problemFile) {
    return problemFile.isEmpty() ? kManuscriptPaperJobTitle : QFileInfo(problemFile).completeBaseName();
}
