// The words of printing: the names a print job carries in a printer queue and as a PDF
// file's title, the sheets as the teacher calls them, and the length a job's name is cut to.
// The windows and the command line name their jobs from here.
#pragma once

#include <QString>

#include "core/message_titles.h"
#include "core/printing/print_jobs.h"

// The program's name in front of every job name in a printer queue.
inline const QString kJobNamePrefix = kProgramName + QStringLiteral(" - ");

// The most characters of a heading or a file name a job's title takes: a printer queue lists
// the name and a PDF file carries it as its title, so a heading of any length (a pasted text,
// a file of a million characters) is cut.
inline constexpr qsizetype kJobTitlePartChars = 100;
// The most characters of a whole title (its parts joined by " - ").
inline constexpr qsizetype kJobTitleChars = 200;

// text when it has at most maxChars characters; else its first maxChars - 1 characters and
// "…" (a character made of two UTF-16 units is never cut in two). Line breaks and other
// control characters become blanks.
QString shortJobTitle(const QString& text, qsizetype maxChars = kJobTitlePartChars);

// The job's name in the printer queue: kJobNamePrefix + title (cut to kJobTitleChars); the
// program's name alone for an empty title.
QString printJobName(const QString& title);

// The file name a PDF file of the job is proposed under: the name with "/" (which would make
// it a folder) as "・", and ".pdf".
QString pdfFileNameOf(const QString& name);

// The sheet as the teacher calls it in the window's messages and job names: "書き取り",
// "練習", "読み方", "文作り", "３票一括".
QString sheetShortName(SheetKind kind);
// The title a sheet prints: "テスト・漢字書き取り", "漢字練習", "読み方", "文作り・意味調べ";
// the three-sheet set has none.
QString sheetTitle(SheetKind sheet);
// A sheet's job printed for every page of the workbook: "書き取り（全12頁）".
QString everyPageSheetName(SheetKind kind, int pageCount);

// The title of a sheet's job: the heading or file name (cut to kJobTitlePartChars) and the
// sheet, "三年一組 - 書き取り"; the sheet alone without a name.
QString sheetJobTitle(const QString& name, const QString& sheet);

// The titles of the lookup panel's prints: "漢字練習帳 学", "漢字一覧表 1年" (the bare name
// without a kanji or a grade).
QString practiceBookJobTitle(const QString& kanji);
QString gradeTableJobTitle(int grade);

// The titles of the paper prints.
inline const QString kManuscriptPaperJobTitle = QStringLiteral("原稿用紙");
inline const QString kRuledPaperJobTitle = QStringLiteral("罫線用紙");
// The practice sheet of a page is named after its problem file; without one (a workbook never
// saved) it is manuscript paper.
QString practiceSheetJobTitle(const QString& problemFile);
