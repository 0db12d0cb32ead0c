// What a reader has to tell the teacher about a file it read: what happened, and the words
// for it. The readers say nothing themselves; the windows show the notices
// (core/windows/read_messages.h), the command line prints their texts.
#pragma once

#include <QString>
#include <vector>

struct ReadNotice {
    enum class Kind {
        Unreadable,          // the file could not be read or is not a problem file: nothing was read
        PagesLeftOut,        // more pages than a workbook holds: the first ones were read
        ExampleFileMissing,  // base.moj is not there: no examples
        DictionaryMissing,   // the company's reading dictionary is not there
    };
    Kind kind;
    QString text;
};
