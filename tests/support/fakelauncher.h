#ifndef FAKELAUNCHER_H
#define FAKELAUNCHER_H

#include "platform/launcher.h"

#include <QList>
#include <QUrl>

// Records what would have been started. Outcomes wait until the test finishes them.
class FakeLauncher : public Launcher
{
public:
    struct Start
    {
        QString program;
        QStringList arguments;
        Outcome outcome;
    };

    void start(const QString &program, const QStringList &arguments, Outcome outcome) override;
    bool openUrl(const QUrl &url) override;

    // Reports the outcome of the oldest start that has none yet.
    void finishNext(bool succeeded);

    QList<Start> starts;
    QList<QUrl> openedUrls;
    bool openUrlSucceeds = true;

private:
    int m_finished = 0;
};

#endif // FAKELAUNCHER_H
