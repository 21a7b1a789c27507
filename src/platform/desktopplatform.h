#ifndef DESKTOPPLATFORM_H
#define DESKTOPPLATFORM_H

#include "platform/platform.h"
#include "platform/qtclipboard.h"
#include "platform/qtdialogs.h"
#include "platform/qtlauncher.h"
#include "platform/qtsettingsstore.h"
#include "platform/systemclock.h"

// The real services of the desktop the program runs on.
struct DesktopPlatform
{
    QtSettingsStore store;
    QtDialogs dialogs;
    QtLauncher launcher;
    QtClipboard clipboard;
    SystemClock clock;
    Platform platform { store, dialogs, launcher, clipboard, clock };
};

#endif // DESKTOPPLATFORM_H
