#include "platform/socketrepaints.h"

#include <QByteArray>
#include <QtGlobal>

namespace {
const char noSharedMemory[] = "QT_XCB_NO_MITSHM";
}

SocketRepaints::SocketRepaints() : m_userChose(qEnvironmentVariableIsSet(noSharedMemory))
{
    if (!m_userChose)
        qputenv(noSharedMemory, QByteArrayLiteral("1"));
}

void SocketRepaints::restoreEnvironment()
{
    if (!m_userChose)
        qunsetenv(noSharedMemory);
}
