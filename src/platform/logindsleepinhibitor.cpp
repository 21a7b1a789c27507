// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/systemsleepinhibitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>

namespace {
// Long enough for a busy logind; a missing one answers at once.
constexpr int replyTimeout = 3000;
} // namespace

// logind keeps the lock as long as its file descriptor is open anywhere.
struct SystemSleepInhibitor::Lock
{
    QDBusUnixFileDescriptor descriptor;
};

SystemSleepInhibitor::SystemSleepInhibitor() : m_lock(std::make_unique<Lock>()) { }

SystemSleepInhibitor::~SystemSleepInhibitor() = default;

void SystemSleepInhibitor::hold()
{
    if (m_lock->descriptor.isValid())
        return;
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep:idle") << QStringLiteral("Ormek商人计算器")
         << QStringLiteral("已设置自动关机") << QStringLiteral("block");
    const QDBusMessage reply = bus.call(call, QDBus::Block, replyTimeout);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
        m_lock->descriptor = reply.arguments().constFirst().value<QDBusUnixFileDescriptor>();
}

void SystemSleepInhibitor::release()
{
    // Closes the descriptor, which ends the lock.
    m_lock->descriptor = QDBusUnixFileDescriptor();
}
