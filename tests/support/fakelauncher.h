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

    void start(const QString &program, const QStringList &arguments, Outcome outcome) override
    {
        starts.append({ program, arguments, std::move(outcome) });
    }
    bool openUrl(const QUrl &url) override
    {
        openedUrls.append(url);
        return openUrlSucceeds;
    }

    // Reports the outcome of the oldest start that has none yet.
    void finishNext(bool succeeded)
    {
        Q_ASSERT(m_finished < starts.size());
        const Outcome outcome = starts.at(m_finished++).outcome;
        if (outcome)
            outcome(succeeded);
    }

    QList<Start> starts;
    QList<QUrl> openedUrls;
    bool openUrlSucceeds = true;

private:
    int m_finished = 0;
};

#endif // FAKELAUNCHER_H
