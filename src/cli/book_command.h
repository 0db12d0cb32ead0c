// "jirakubo-cli book": the kanji practice book of one character to a PDF file, as the
// toolbar's 漢字練習帳 prints it with that character's lookup cell selected.
//
//   jirakubo-cli book KANJI -o OUT.pdf [--font NAME] [--trace FILE] [--stroke-order]
//
// "@NAME" fonts give the landscape sheet read after a quarter turn. --stroke-order prints
// the model in the KanjiStrokeOrders face; without that face the model is light grey as
// usual, with a note on standard error. Needs a QGuiApplication.
#pragma once

#include <QStringList>

// arguments: those after "book". Returns 0, or 1 with a message on stderr and no file.
int runBookCommand(const QStringList& arguments);
