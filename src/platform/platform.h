// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef PLATFORM_H
#define PLATFORM_H

class TrayAndTaskbar;
class Clipboard;
class Clock;
class SingleInstance;
class Dialogs;
class Launcher;
class SettingsStore;
class SleepInhibitor;

// Everything the program asks of the operating system. The program builds it from the
// real services; tests build it from fakes.
struct Platform
{
    SettingsStore &store;
    Dialogs &dialogs;
    Launcher &launcher;
    Clipboard &clipboard;
    Clock &clock;
    SleepInhibitor &sleepInhibitor;
    TrayAndTaskbar &trayAndTaskbar;
    SingleInstance &singleInstance;
};

#endif // PLATFORM_H
