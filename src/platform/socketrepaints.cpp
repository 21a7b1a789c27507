// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

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
