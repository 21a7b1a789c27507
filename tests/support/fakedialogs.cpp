#include "support/fakedialogs.h"

void FakeDialogs::showMessage(const QString &prompt, const QString &title)
{
    messages.append({ prompt, title });
}

QString FakeDialogs::askText(const QString &prompt, const QString &title)
{
    questions.append({ prompt, title });
    return answers.isEmpty() ? QString() : answers.takeFirst();
}
