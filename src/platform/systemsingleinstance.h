// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SYSTEMSINGLEINSTANCE_H
#define SYSTEMSINGLEINSTANCE_H

#include "platform/singleinstance.h"

#include <memory>

// On Linux a local socket in the user's own runtime folder, or in a folder of the user's own in
// the temporary folder; on Windows a named event in the user's session.
class SystemSingleInstance : public SingleInstance
{
public:
    SystemSingleInstance();
    ~SystemSingleInstance() override;

    bool call() override;
    bool listen(std::function<void()> called) override;
    void stopListening() override;

private:
    struct Line;
    std::unique_ptr<Line> m_line;
};

#endif // SYSTEMSINGLEINSTANCE_H
