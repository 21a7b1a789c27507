// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef UNIXSIGNALWATCHER_H
#define UNIXSIGNALWATCHER_H

#include <QList>
#include <QObject>

class QSocketNotifier;

// Turns the Unix signals asked for (SIGTERM, SIGHUP, SIGINT, ...) into a Qt signal on the
// event loop. The handler only writes the signal's number into a socket pair; everything else
// happens in received(). One watcher per process; once it is gone, the signals are ignored.
class UnixSignalWatcher : public QObject
{
    Q_OBJECT

public:
    explicit UnixSignalWatcher(const QList<int> &signalNumbers, QObject *parent = nullptr);
    ~UnixSignalWatcher() override;

Q_SIGNALS:
    void received(int signalNumber);

private:
    void readSignal();

    QList<int> m_signalNumbers;
    QSocketNotifier *m_notifier = nullptr;
};

#endif // UNIXSIGNALWATCHER_H
