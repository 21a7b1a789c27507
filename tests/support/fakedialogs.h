#ifndef FAKEDIALOGS_H
#define FAKEDIALOGS_H

#include "platform/dialogs.h"

#include <QList>
#include <QStringList>

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
    }
    QString askText(const QString &prompt, const QString &title) override
    {
        questions.append({ prompt, title });
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }

    // Answers for the next questions, in order; a question without one is cancelled.
    QStringList answers;
    QList<Box> messages;
    QList<Box> questions;
};

#endif // FAKEDIALOGS_H
