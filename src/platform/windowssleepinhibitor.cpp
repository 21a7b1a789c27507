// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/systemsleepinhibitor.h"

#include <windows.h>

struct SystemSleepInhibitor::Lock
{
    bool held = false;
};

SystemSleepInhibitor::SystemSleepInhibitor() : m_lock(std::make_unique<Lock>()) { }

SystemSleepInhibitor::~SystemSleepInhibitor()
{
    release();
}

void SystemSleepInhibitor::hold()
{
    // The state belongs to the calling thread, always the user-interface thread here.
    if (SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED) != 0)
        m_lock->held = true;
}

void SystemSleepInhibitor::release()
{
    if (m_lock->held)
        SetThreadExecutionState(ES_CONTINUOUS);
    m_lock->held = false;
}
