// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/systemsleepinhibitor.h"

#include <QPointer>
#include <QProcess>
#include <QStandardPaths>

// logind's own command, systemd-inhibit, asks for the lock on the system bus and holds it while
// the program it starts runs: cat, which reads from this program until the lock is let go, or
// until this program ends in any way. The program never waits for it: a system bus or a logind
// that does not answer holds up only systemd-inhibit, which gives up by itself after a while.
// Staying awake is a wish: nothing is said when it is not granted.
struct SystemSleepInhibitor::Lock
{
    // Parent of the commands, those let go included, until they have ended.
    QObject commands;
    QPointer<QProcess> holder;
};

SystemSleepInhibitor::SystemSleepInhibitor() : m_lock(std::make_unique<Lock>()) { }

SystemSleepInhibitor::~SystemSleepInhibitor()
{
    release();
    // Ended already, or ending now: a killed command does not take long.
    for (QProcess *command : m_lock->commands.findChildren<QProcess *>())
        command->waitForFinished(1000);
}

void SystemSleepInhibitor::hold()
{
    if (m_lock->holder)
        return;
    const QString inhibit = QStandardPaths::findExecutable(QStringLiteral("systemd-inhibit"));
    if (inhibit.isEmpty())
        return;
    auto *holder = new QProcess(&m_lock->commands);
    holder->setStandardOutputFile(QProcess::nullDevice());
    holder->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(holder, &QProcess::finished, holder, &QObject::deleteLater);
    QObject::connect(holder, &QProcess::errorOccurred, holder, [holder] {
        if (holder->state() == QProcess::NotRunning)
            holder->deleteLater();
    });
    holder->start(inhibit,
                  { QStringLiteral("--what=sleep:idle"), QStringLiteral("--who=Ormek商人计算器"),
                    QStringLiteral("--why=已设置自动关机"), QStringLiteral("--mode=block"),
                    QStringLiteral("cat") });
    m_lock->holder = holder;
}

void SystemSleepInhibitor::release()
{
    // The lock ends with the command; cat ends as its input closes.
    if (QProcess *holder = m_lock->holder)
        holder->kill();
    m_lock->holder = nullptr;
}
