#ifndef QTCLIPBOARD_H
#define QTCLIPBOARD_H

#include "platform/clipboard.h"

class QtClipboard : public Clipboard
{
public:
    void setText(const QString &text) override;
};

#endif // QTCLIPBOARD_H
