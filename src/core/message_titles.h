// The program's name and the titles of its message boxes, in one place.
#pragma once

#include <QString>

inline const QString kProgramName = QStringLiteral("2011字楽坊");
inline const QString kConfirmTitle = QStringLiteral("確認メッセージ");
inline const QString kErrorTitle = QStringLiteral("エラーメッセージ");
