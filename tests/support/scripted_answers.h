// Message boxes answered from a queue, for every test platform: each question is recorded;
// with the queue empty a YesNo question gets Yes, a save-or-discard question gets No (go on
// without saving, as before the question existed), the question before overwriting a file
// changed on disk gets Cancel, and a notice gets Ok.
#pragma once

#include <QStringList>
#include <deque>
#include <vector>

#include "core/platform.h"

struct ScriptedAnswers {
    struct Message {
        QString text, title;
        MessageButtons buttons;
        MessageIcon icon;
    };
    std::deque<MessageAnswer> answers;
    std::vector<Message> messages;

    MessageAnswer answer(const QString& text, const QString& title, MessageButtons buttons,
                         MessageIcon icon) {
        messages.push_back({text, title, buttons, icon});
        if (!answers.empty()) {
            const MessageAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        switch (buttons) {
        case MessageButtons::YesNo: return MessageAnswer::Yes;
        case MessageButtons::YesNoCancel: return MessageAnswer::No;
        case MessageButtons::SaveAsOverwriteCancel: return MessageAnswer::Cancelled;
        case MessageButtons::Ok: break;
        }
        return MessageAnswer::Ok;
    }
    QStringList messageTexts() const {
        QStringList t;
        for (const Message& m : messages) t << m.text;
        return t;
    }
};
