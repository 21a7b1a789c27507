#ifndef DIALOGS_H
#define DIALOGS_H

#include <QString>

// The program's modal boxes. Both show their texts literally, never as rich text.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // A message with a single OK button and no icon; returns when it is dismissed.
    virtual void showMessage(const QString &prompt, const QString &title) = 0;

    // A one-line question with an empty field. Returns the typed text, or the empty
    // text when the box is cancelled or closed.
    virtual QString askText(const QString &prompt, const QString &title) = 0;
};

#endif // DIALOGS_H
