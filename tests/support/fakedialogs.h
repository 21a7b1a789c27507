#ifndef FAKEDIALOGS_H
#define FAKEDIALOGS_H

#include "platform/dialogs.h"

#include <QList>
#include <QStringList>
#include <functional>

// Records every box instead of showing it; questions take their answers from a queue.
class FakeDialogs : public Dialogs
{
public:
    struct Box
    {
        QString prompt;
        QString title;
    };

    void showMessage(const QString &prompt, const QString &title) override
    {
        messages.append({ prompt, title });
        if (onMessage)
            onMessage();
    }
    QString askText(const QString &prompt, const QString &title) override
    {
        questions.append({ prompt, title });
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }

    // "prompt|title" of each message so far.
    QStringList messageTexts() const
    {
        QStringList texts;
        for (const Box &box : messages)
            texts << box.prompt + u'|' + box.title;
        return texts;
    }

    // Answers for the next questions, in order; a question without one is cancelled.
    QStringList answers;
    QList<Box> messages;
    QList<Box> questions;
    // Called while each message is shown.
    std::function<void()> onMessage;
};

#endif // FAKEDIALOGS_H
