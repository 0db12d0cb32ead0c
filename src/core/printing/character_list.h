// The grade table print "漢字一覧表": the kanji of the grade shown in the lookup panel, one
// table line (ten kanji) per column of squares, ten lines a page, on the grid of the tracing
// sheet. Landscape with an ordinary face, portrait in rows with an "@" face.
#pragma once

#include <QString>
#include <QStringList>

class PrintSurface;
struct DictionaryTable;

inline const QString kCharacterListTitle = QStringLiteral("漢字一覧表");
inline constexpr int kCharacterListLinesPerPage = 10;
inline constexpr double kCharacterListSize = 45;

// The table lines of a grade's kanji: line r holds the kanji of list rows 10r+1 to 10r+10,
// as many lines as the list needs.
QStringList gradeTableLines(const DictionaryTable& list);

// Sheets the lines need: one for every ten lines up to the last line that holds a kanji,
// and at least one.
int characterListPages(const QStringList& lines);

// Draws every sheet, with a page break between sheets and none after the last; the
// document is not ended. Blanks around a line are ignored.
void drawCharacterList(PrintSurface& s, const QStringList& lines, const QString& statusFontName,
                       const QString& pageFontName);
