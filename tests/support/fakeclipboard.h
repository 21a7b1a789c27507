#ifndef FAKECLIPBOARD_H
#define FAKECLIPBOARD_H

#include "platform/clipboard.h"

class FakeClipboard : public Clipboard
{
public:
    void setText(const QString &newText) override
    {
        text = newText;
        ++writes;
    }

    QString text;
    int writes = 0;
};

#endif // FAKECLIPBOARD_H
