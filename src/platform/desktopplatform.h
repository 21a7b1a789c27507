#ifndef DESKTOPPLATFORM_H
#define DESKTOPPLATFORM_H

#include "platform/platform.h"
#include "platform/qtclipboard.h"
#include "platform/qtdialogs.h"
#include "platform/qtlauncher.h"
#include "platform/settingsstore.h"
#include "platform/systemclock.h"
#include "platform/usersettingsstore.h"

#include <memory>

// The real services of the desktop the program runs on.
struct DesktopPlatform
{
    std::unique_ptr<SettingsStore> store = userSettingsStore();
    QtDialogs dialogs;
    QtLauncher launcher;
    QtClipboard clipboard;
    SystemClock clock;
    Platform platform { *store, dialogs, launcher, clipboard, clock };
};

#endif // DESKTOPPLATFORM_H
