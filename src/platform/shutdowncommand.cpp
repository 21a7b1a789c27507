#include "platform/shutdowncommand.h"

ShutdownCommand shutdownCommand()
{
#ifdef Q_OS_WIN
    return { QStringLiteral("shutdown"),
             { QStringLiteral("-s"), QStringLiteral("-t"), QStringLiteral("0") } };
#else
    // An active local user may power off through systemd without a password.
    return { QStringLiteral("systemctl"), { QStringLiteral("poweroff") } };
#endif
}
