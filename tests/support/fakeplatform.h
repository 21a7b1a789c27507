#ifndef FAKEPLATFORM_H
#define FAKEPLATFORM_H

#include "platform/platform.h"
#include "support/fakeclipboard.h"
#include "support/fakeclock.h"
#include "support/fakedialogs.h"
#include "support/fakelauncher.h"
#include "support/fakesettingsstore.h"

// All services faked, for one test.
struct FakePlatform
{
    FakeSettingsStore store;
    FakeDialogs dialogs;
    FakeLauncher launcher;
    FakeClipboard clipboard;
    FakeClock clock;
    Platform platform { store, dialogs, launcher, clipboard, clock };
};

#endif // FAKEPLATFORM_H
