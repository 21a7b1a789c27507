// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef CLOCKTEXT_H
#define CLOCKTEXT_H

#include <QDateTime>
#include <QLocale>

// The moment in the regional general form: the short date, a blank, the time with seconds
// and without a time-zone name. At exactly midnight the date stands alone.
QString clockText(const QDateTime &moment, const QLocale &locale);

#endif // CLOCKTEXT_H
