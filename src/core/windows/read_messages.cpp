#include "core/windows/read_messages.h"

#include "core/message_titles.h"
#include "core/platform.h"

void showReadNotices(Platform& platform, const std::vector<ReadNotice>& notices) {
    for (const ReadNotice& n : notices) {
        switch (n.kind) {
        case ReadNotice::Kind::Unreadable:
            platform.messageBox(n.text, kErrorTitle, MessageButtons::Ok, MessageIcon::Error);
            break;
        case ReadNotice::Kind::PagesLeftOut:
            platform.messageBox(n.text, kConfirmTitle, MessageButtons::Ok, MessageIcon::Warning);
            break;
        case ReadNotice::Kind::ExampleFileMissing:
            platform.messageBox(n.text, kConfirmTitle, MessageButtons::Ok, MessageIcon::Information);
            break;
        case ReadNotice::Kind::DictionaryMissing:
            // Without the dictionary the lookup panel has no readings: said as an error.
            platform.messageBox(n.text, kConfirmTitle, MessageButtons::Ok, MessageIcon::Error);
            break;
        }
    }
}

ReadReport readProblemFileShowingNotices(Workbook& workbook, Platform& platform) {
    const ReadReport report = readProblemFile(workbook, platform.programDirectory());
    showReadNotices(platform, readNotices(report, workbook));
    return report;
}

void loadReadingDictionaryShowingNotice(ReadingDictionary& dictionary, const QString& company,
                                        Platform& platform) {
    if (const auto notice = loadReadingDictionary(dictionary, company, platform.programDirectory()))
        showReadNotices(platform, {*notice});
}
