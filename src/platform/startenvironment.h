// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef STARTENVIRONMENT_H
#define STARTENVIRONMENT_H

#include <QApplication>
#include <memory>

// Makes the application object with two settings of the environment that its construction
// alone sees; both are taken back right after, so that the programs this one starts get the
// user's environment (StartEnvironment).
std::unique_ptr<QApplication> makeApplication(int &argc, char **argv);

// The two settings, each made only where the user did not choose otherwise:
// - Repaints through the X socket (QT_XCB_NO_MITSHM). Qt's X11 backend sends them through
//   shared memory and then waits for the server's completion event, which wakes two threads
//   after every repaint: twice a second more for the clock. This program's repaints are a few
//   kilobytes, which the socket carries as cheaply.
// - No D-Bus session bus started for the program. Outside a desktop session there is none,
//   and when Qt's accessibility bridge or platform theme asks for one, libdbus "autolaunches"
//   a dbus-launch and a dbus-daemon for the X display, which outlive this program. Where
//   libdbus finds no bus (DBUS_SESSION_BUS_ADDRESS, else a socket at $XDG_RUNTIME_DIR/bus),
//   the address is set to one no transport accepts, so that connecting fails at once and
//   starts nothing; restore() has libdbus read it, which libdbus keeps for the rest of the run.
class StartEnvironment
{
public:
    StartEnvironment();
    void restore();

private:
    bool m_repaintsChosen = false;
    bool m_blockingBus = false;
};

#endif // STARTENVIRONMENT_H
