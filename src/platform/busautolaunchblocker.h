// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef BUSAUTOLAUNCHBLOCKER_H
#define BUSAUTOLAUNCHBLOCKER_H

// Outside a desktop session there is no D-Bus session bus. When Qt's accessibility bridge or
// platform theme then asks for one, libdbus "autolaunches" it: a dbus-launch and a
// dbus-daemon for the X display, which outlive this program.
//
// Made before the application object, this finds out whether a session bus exists where
// libdbus looks for one (DBUS_SESSION_BUS_ADDRESS, else a socket at $XDG_RUNTIME_DIR/bus).
// When none does, it points DBUS_SESSION_BUS_ADDRESS at an address that no transport accepts,
// so that connecting fails at once and starts nothing. restoreEnvironment() after it has
// libdbus read that address, which libdbus keeps for the rest of the run, and takes the setting
// back, so that the programs this one starts get the user's environment.
class BusAutolaunchBlocker
{
public:
    BusAutolaunchBlocker();
    void restoreEnvironment();

private:
    bool m_blocking = false;
};

#endif // BUSAUTOLAUNCHBLOCKER_H
