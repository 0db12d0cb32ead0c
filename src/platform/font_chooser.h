// The font dialog of the font commands. Linux faces have no "@" twins, so the dialog
// offers a "縦書き用" switch that stores the choice as "@" + the face name (the rotated
// sheet layouts); the Windows names found in problem files are offered as themselves.
#pragma once

#include <QWidget>
#include <optional>

#include "core/platform.h"

std::optional<FontChoice> chooseFont(const FontChoice& initial, QWidget* parent);

// The Windows faces problem files name, offered first in the dialog.
QStringList windowsJapaneseFaces();
// Lets QFont("ＭＳ Ｐ明朝") and the other Windows names resolve to their IPA twins.
void installWindowsFontSubstitutions();
