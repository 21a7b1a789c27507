// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

// Stands in for logind on a private bus given as the system bus: hands out inhibitor locks as
// the real one does, the write end of a pipe, and tells the test which are still held. Made
// silent, it never answers.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QStringList>
#include <QTextStream>
#include <poll.h>
#include <unistd.h>

class Manager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public Q_SLOTS:
    QDBusUnixFileDescriptor Inhibit(const QString &what, const QString &who, const QString &why,
                                    const QString &mode, const QDBusMessage &call)
    {
        m_requests << QStringList { what, who, why, mode }.join(u'|');
        call.setDelayedReply(m_silent);
        if (m_silent)
            return QDBusUnixFileDescriptor();
        int ends[2];
        if (pipe(ends) != 0)
            return QDBusUnixFileDescriptor();
        m_locks << ends[0];
        // Sent as a copy: the lock lasts while the caller keeps its own.
        const QDBusUnixFileDescriptor lock(ends[1]);
        close(ends[1]);
        return lock;
    }

    void SetSilent(bool silent) { m_silent = silent; }

    // The requests, each as "what|who|why|mode".
    QStringList Requests() const { return m_requests; }

    // The locks whose descriptor is still open in the caller.
    int HeldLocks()
    {
        int held = 0;
        for (const int end : std::as_const(m_locks)) {
            pollfd check { end, POLLIN, 0 };
            if (poll(&check, 1, 0) == 0)
                ++held;
        }
        return held;
    }

private:
    QStringList m_requests;
    QList<int> m_locks;
    bool m_silent = false;
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::systemBus();
    Manager manager;
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/login1"), &manager,
                            QDBusConnection::ExportAllSlots)
        || !bus.registerService(QStringLiteral("org.freedesktop.login1")))
        return 1;
    QTextStream(stdout) << "ready" << Qt::endl;
    return app.exec();
}

#include "standinlogind.moc"
