// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/startenvironment.h"

#include <QByteArray>
#include <QtGlobal>

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
#include <QDBusConnection>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const char noSharedMemory[] = "QT_XCB_NO_MITSHM";
const char busAddress[] = "DBUS_SESSION_BUS_ADDRESS";

// The same test as libdbus's: a socket at $XDG_RUNTIME_DIR/bus owned by this user.
bool userBusExists()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    const QByteArray runtimeFolder = qgetenv("XDG_RUNTIME_DIR");
    if (runtimeFolder.isEmpty())
        return false;
    struct stat status = {};
    const QByteArray socketPath = runtimeFolder + "/bus";
    return ::lstat(socketPath.constData(), &status) == 0 && S_ISSOCK(status.st_mode)
            && status.st_uid == ::getuid();
#else
    // Elsewhere there is no session bus to autolaunch.
    return true;
#endif
}

} // namespace

std::unique_ptr<QApplication> makeApplication(int &argc, char **argv)
{
    StartEnvironment environment;
    auto application = std::make_unique<QApplication>(argc, argv);
    environment.restore();
    return application;
}

StartEnvironment::StartEnvironment()
    : m_repaintsChosen(qEnvironmentVariableIsSet(noSharedMemory))
    , m_blockingBus(!qEnvironmentVariableIsSet(busAddress) && !userBusExists())
{
    if (!m_repaintsChosen)
        qputenv(noSharedMemory, QByteArrayLiteral("1"));
    // An address of no known transport: libdbus refuses it without touching anything.
    if (m_blockingBus)
        qputenv(busAddress, QByteArrayLiteral("disabled:"));
}

void StartEnvironment::restore()
{
    if (!m_repaintsChosen)
        qunsetenv(noSharedMemory);
    if (!m_blockingBus)
        return;
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // libdbus reads the address once, at the first connection, and keeps it.
    QDBusConnection::sessionBus();
#endif
    qunsetenv(busAddress);
}
