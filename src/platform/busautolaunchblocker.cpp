// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/busautolaunchblocker.h"

#include <QtGlobal>

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
#include <QByteArray>
#include <QDBusConnection>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char busAddress[] = "DBUS_SESSION_BUS_ADDRESS";

// The same test as libdbus's: a socket at $XDG_RUNTIME_DIR/bus owned by this user.
bool userBusExists()
{
    const QByteArray runtimeFolder = qgetenv("XDG_RUNTIME_DIR");
    if (runtimeFolder.isEmpty())
        return false;
    struct stat status = {};
    const QByteArray socketPath = runtimeFolder + "/bus";
    return ::lstat(socketPath.constData(), &status) == 0 && S_ISSOCK(status.st_mode)
            && status.st_uid == ::getuid();
}

} // namespace

BusAutolaunchBlocker::BusAutolaunchBlocker()
    : m_blocking(!qEnvironmentVariableIsSet(busAddress) && !userBusExists())
{
    // An address of no known transport: libdbus refuses it without touching anything.
    if (m_blocking)
        qputenv(busAddress, QByteArrayLiteral("disabled:"));
}

void BusAutolaunchBlocker::restoreEnvironment()
{
    if (!m_blocking)
        return;
    // libdbus reads the address once, at the first connection, and keeps it.
    QDBusConnection::sessionBus();
    qunsetenv(busAddress);
}

#else

BusAutolaunchBlocker::BusAutolaunchBlocker() = default;

void BusAutolaunchBlocker::restoreEnvironment() { }

#endif
