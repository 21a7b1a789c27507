#include "platform/qtlauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

void QtLauncher::start(const QString &program, const QStringList &arguments, Outcome outcome)
{
    auto *process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);

    // Exactly one report per start: a failure to start, or the exit.
    auto report = [process, outcome](bool succeeded) {
        QObject::disconnect(process, nullptr, nullptr, nullptr);
        process->deleteLater();
        if (outcome)
            outcome(succeeded);
    };
    QObject::connect(process, &QProcess::errorOccurred, process, [process, report] {
        if (process->state() == QProcess::NotRunning)
            report(false);
    });
    QObject::connect(process, &QProcess::finished, process,
                     [report](int exitCode, QProcess::ExitStatus status) {
                         report(status == QProcess::NormalExit && exitCode == 0);
                     });
    process->start(program, arguments);
}

bool QtLauncher::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}
