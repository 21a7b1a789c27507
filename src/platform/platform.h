#ifndef PLATFORM_H
#define PLATFORM_H

class Clipboard;
class Clock;
class Dialogs;
class Launcher;
class SettingsStore;

// Everything the program asks of the operating system. The program builds it from the
// real services; tests build it from fakes.
struct Platform
{
    SettingsStore &store;
    Dialogs &dialogs;
    Launcher &launcher;
    Clipboard &clipboard;
    Clock &clock;
};

#endif // PLATFORM_H
