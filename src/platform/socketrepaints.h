// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SOCKETREPAINTS_H
#define SOCKETREPAINTS_H

// Qt's X11 backend sends repaints through shared memory and then waits for the server's
// completion event, which wakes two threads after every repaint: twice a second more for the
// clock. This program's repaints are a few kilobytes, which the X socket carries as cheaply.
//
// Made before the application object, this asks for the socket, unless the user chose
// otherwise; restoreEnvironment() after it takes the setting back, so that the programs this
// one starts do not inherit it.
class SocketRepaints
{
public:
    SocketRepaints();
    void restoreEnvironment();

private:
    bool m_userChose;
};

#endif // SOCKETREPAINTS_H
