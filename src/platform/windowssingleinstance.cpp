// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/systemsingleinstance.h"

#include <QWinEventNotifier>
#include <windows.h>

namespace {
// "Local\" is the namespace of the user's own session.
const wchar_t eventName[] = L"Local\\OrmekCalculatorShowScheduler";
} // namespace

struct SystemSingleInstance::Line
{
    HANDLE event = nullptr;
    std::unique_ptr<QWinEventNotifier> notifier;
};

SystemSingleInstance::SystemSingleInstance() : m_line(std::make_unique<Line>()) { }

SystemSingleInstance::~SystemSingleInstance()
{
    stopListening();
}

bool SystemSingleInstance::call()
{
    HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName);
    if (!event)
        return false;
    const bool rung = SetEvent(event);
    CloseHandle(event);
    return rung;
}

bool SystemSingleInstance::listen(std::function<void()> called)
{
    if (m_line->event)
        return true;
    // Auto-reset: each call wakes the listener once.
    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, eventName);
    if (!event) {
        qWarning("无法建立事件 "
                 "OrmekCalculatorShowScheduler：再次启动本程序时找不到这里的自动关机。");
        return true;
    }
    // Another copy listens already: it keeps the calls.
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(event);
        return false;
    }
    m_line->event = event;
    m_line->notifier = std::make_unique<QWinEventNotifier>(event);
    QObject::connect(m_line->notifier.get(), &QWinEventNotifier::activated, m_line->notifier.get(),
                     [called] { called(); });
    return true;
}

void SystemSingleInstance::stopListening()
{
    m_line->notifier.reset();
    if (m_line->event)
        CloseHandle(m_line->event);
    m_line->event = nullptr;
}
