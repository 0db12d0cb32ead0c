// "jirakubo-cli list": the grade table (漢字一覧表) of one school grade to a PDF file, as
// "学年配当表印刷" prints it right after that grade's button was clicked: ten lines of ten
// kanji a page, as many pages as the grade needs.
//
//   jirakubo-cli list GRADE -o OUT.pdf [--company NAME] [--font NAME] [--trace FILE]
//
// GRADE is 1 to 6; --company is one of 東京書籍, 三省堂, 教育出版, 学校図書, 光村図書
// (default: onkun.txt, no company). Needs a QGuiApplication.
#pragma once

#include <QStringList>

// arguments: those after "list". Returns 0, or 1 with a message on stderr and no file.
int runListCommand(const QStringList& arguments);
