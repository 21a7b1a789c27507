// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qtlauncher.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

void QtLauncher::start(const QString &program, const QStringList &arguments, Outcome outcome)
{
    // Looked up on PATH alone: Windows would otherwise look in the program's own folder and
    // the system's folders first.
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) {
        QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [outcome] {
                    if (outcome)
                        outcome(false);
                },
                Qt::QueuedConnection);
        return;
    }

    auto *process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
#ifdef Q_OS_WIN
    // A console program started from a window program would open a console window.
    process->setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *arguments) {
        arguments->flags |= CREATE_NO_WINDOW;
    });
#endif

    // Exactly one report per start: a failure to start, or the exit.
    auto report = [process, outcome](bool succeeded) {
        QObject::disconnect(process, nullptr, nullptr, nullptr);
        process->deleteLater();
        if (outcome)
            outcome(succeeded);
    };
    // On Windows a program that cannot start is told from within start(): the outcome waits
    // for the event loop, as every other outcome does.
    QObject::connect(
            process, &QProcess::errorOccurred, process,
            [process, report] {
                if (process->state() == QProcess::NotRunning)
                    report(false);
            },
            Qt::QueuedConnection);
    QObject::connect(process, &QProcess::finished, process,
                     [report](int exitCode, QProcess::ExitStatus status) {
                         report(status == QProcess::NormalExit && exitCode == 0);
                     });
    process->start(path, arguments);
}

bool QtLauncher::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}
