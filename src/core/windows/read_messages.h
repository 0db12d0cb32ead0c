// How the windows tell the teacher what the readers report: each kind of notice in its
// message box, and the two reads the windows make with their messages.
#pragma once

#include <vector>

#include "core/data/problem_files.h"
#include "core/data/read_notice.h"
#include "core/data/reading_dictionary.h"

class Platform;

// One message box a notice, in order: a file that cannot be read under "エラーメッセージ",
// the rest under "確認メッセージ".
void showReadNotices(Platform& platform, const std::vector<ReadNotice>& notices);

// Reads the workbook's file (and base.moj) from the program's folder and shows what the
// teacher is to be told.
ReadReport readProblemFileShowingNotices(Workbook& workbook, Platform& platform);

// Loads the reading dictionary of the company from the program's folder and shows a
// missing or unreadable file.
void loadReadingDictionaryShowingNotice(ReadingDictionary& dictionary, const QString& company,
                                        Platform& platform);
