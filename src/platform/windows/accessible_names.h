// What a screen reader says for each control, in one place. A person hears what the window
// shows: a button, check box or option button by its caption, a label by its text, a text
// box or list by the label beside it (or a short name), a grid cell by its row, part and
// content, a window by its title; a tooltip is the description.
//
// Tools that drive the program from outside set JIRAKUBO_ACCESSIBLE_IDS=1: then every
// control is named by its design name (Label3(1), Command101) and every text it shows goes
// to its accessible description, since Qt exposes no accessible id over AT-SPI.
#pragma once

#include <QString>

class QWidget;

namespace accessible {

// True when controls carry their design names (JIRAKUBO_ACCESSIBLE_IDS=1).
bool designNames();
// Overrides the environment; views built afterwards follow it (for tests).
void setDesignNames(bool on);

// The parts of a grid row by column code (2 before … 8 after2): 前の文, 漢字, よみ, 後の文,
// 漢字2, よみ2, 後の文2. Empty for other codes.
QString partName(int column);
// "3行目 漢字", the place of a grid cell.
QString placeName(int row, int column);
// "3行目 漢字 山"; an empty cell is named by its place alone.
QString cellName(int row, int column, const QString& text);
// The row's number button: a click takes the problem out into the memory list.
QString numberButtonName(int row);
// The row's check box that shows the second word.
QString secondWordName(int row);

// A control named by the text it shows (label, button, check box, option button, frame,
// lookup cell): its name follows every change of that text. With an empty design name the
// control keeps that name in design-name mode too.
void nameByText(QWidget* w, const QString& designName);
// A control named by what it is for (a text box by its label, a cell by its place).
void nameByPurpose(QWidget* w, const QString& designName, const QString& name);
// The purpose name again, after what it depends on changed (a cell's content).
void rename(QWidget* w, const QString& name);
// The text the control now shows, after every change: in design-name mode its description.
void setShownText(QWidget* w, const QString& text);
// A description a person needs beyond the tooltip (design-name mode keeps the shown text).
void describe(QWidget* w, const QString& text);

}  // namespace accessible
