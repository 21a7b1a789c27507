#include "support/fakelauncher.h"

void FakeLauncher::start(const QString &program, const QStringList &arguments, Outcome outcome)
{
    starts.append({ program, arguments, std::move(outcome) });
}

bool FakeLauncher::openUrl(const QUrl &url)
{
    openedUrls.append(url);
    return openUrlSucceeds;
}

void FakeLauncher::finishNext(bool succeeded)
{
    Q_ASSERT(m_finished < starts.size());
    const Outcome outcome = starts.at(m_finished++).outcome;
    if (outcome)
        outcome(succeeded);
}
