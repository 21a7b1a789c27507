// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

// An edit in a large store: the calculator's counter beside KEYS short keys of another program
// (900,000 make 8.9 MB), in a file on disk. Prints, as one line of JSON, how long the store
// takes to be read at the start, how long the window waits when one price is saved, how long
// until that save is on disk, and the peak RSS. With "changed", another program has changed the
// file before the edit, so that the save reads it again first.

#include "platform/settingsstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

qint64 peakRssKib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int keys = argc > 1 ? QByteArray(argv[1]).toInt() : 900000;
    const bool changed = argc > 2 && QByteArray(argv[2]) == "changed";
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/bench-store-XXXXXX"));
    const QString fileName = folder.filePath(QStringLiteral("store.conf"));
    {
        QByteArray text = "[%U4F7F%U7528%U6B21%U6570]\nN=1\n\n[other]\n";
        for (int key = 0; key < keys; ++key)
            text += 'k' + QByteArray::number(key) + "=1\n";
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            return 1;
    }
    const qint64 bytes = QFile(fileName).size();

    QElapsedTimer timer;
    timer.start();
    SettingsStore store(fileName, QSettings::IniFormat);
    const qint64 startMs = timer.restart();
    if (store.isUnreadable()) {
        std::printf("{\"keys\": %d, \"bytes\": %lld, \"refused\": true, \"start_ms\": %lld}\n",
                    keys, bytes, startMs);
        return 0;
    }
    if (changed) {
        QFile file(fileName);
        if (!file.open(QIODevice::Append) || file.write("\n[another]\nx=1\n") < 0)
            return 1;
    }
    qint64 onDiskMs = -1;
    QObject::connect(&store, &SettingsStore::saved, &app, [&](bool saved) {
        onDiskMs = saved ? timer.elapsed() : -1;
        app.quit();
    });
    timer.restart();
    store.setValue(QStringLiteral("物品名称及价格储存"), QStringLiteral("b2"),
                   QStringLiteral("2600"));
    store.save();
    const qint64 waitMs = timer.elapsed();
    app.exec();
    QFile file(fileName);
    const bool written = file.open(QIODevice::ReadOnly) && file.readAll().contains("\nb2=2600\n");
    std::printf("{\"keys\": %d, \"bytes\": %lld, \"changed\": %s, \"start_ms\": %lld, "
                "\"window_waits_ms\": %lld, \"on_disk_ms\": %lld, \"vmhwm_kib\": %lld}\n",
                keys, bytes, changed ? "true" : "false", startMs, waitMs, written ? onDiskMs : -1,
                peakRssKib());
    return written ? 0 : 1;
}
