// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef COUNTDOWNTEXT_H
#define COUNTDOWNTEXT_H

#include <QString>

// Seconds the final count lasts; also the maximum of its bar.
constexpr int countdownLength = 10;

// The message while the bar stands at position: the seconds still to go.
QString countdownMessage(int position);

QString shuttingDownMessage();
QString shutdownFailedMessage();

#endif // COUNTDOWNTEXT_H
