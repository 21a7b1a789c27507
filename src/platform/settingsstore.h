// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SETTINGSSTORE_H
#define SETTINGSSTORE_H

#include <QMap>
#include <QObject>
#include <QSettings>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QThread;

// The per-user settings store: string values by section and key, kept by QSettings, which
// locks the store, reads it again when another program changed it, merges the values set key
// by key and replaces the file atomically. Values set wait for a save, which writes only them;
// a value that is not text (another program's number or list) reads as not stored.
//
// Before QSettings touches a store file, a guard checks what QSettings cannot: the store and
// its lock must be plain files or absent (QSettings would wait for good on a pipe), the store
// small enough to be written within seconds, and the disk must have room. A file QSettings
// reads only in part is copied aside once before it is written over.
class SettingsStore : public QObject
{
    Q_OBJECT

public:
    // A value from the stored text, when it is written; nothing keeps the stored value.
    using Update = std::function<std::optional<QString>(const std::optional<QString> &stored)>;

    // The largest store file: QSettings writes it within three seconds.
    static constexpr qint64 largestFile = 10'000'000;

    // In an INI file (IniFormat), or on Windows in a registry key (NativeFormat); read at once.
    SettingsStore(const QString &location, QSettings::Format format);
    ~SettingsStore() override;

    // Reads the store afresh.
    virtual void reload();
    // The value set, else the stored text, else defaultValue.
    QString value(const QString &section, const QString &key, const QString &defaultValue) const;
    void setValue(const QString &section, const QString &key, const QString &value);
    void updateValue(const QString &section, const QString &key, Update update);

    // Writes what was set in the background, so that the window never waits for a large
    // store; saved() tells how it went. What could not be written waits for the next save.
    virtual void save();
    // As save(), telling nothing, but waits: false when something did not reach the store.
    bool commit();

    // Not read at the last reload or save: then nothing is written over it.
    virtual bool isUnreadable() const { return m_unreadable; }
    // A file name, or a registry key on Windows.
    virtual QString location() const { return m_location; }
    // Once after a save that copied a damaged store file aside: the copy.
    virtual QString takeKeptCopy() { return std::exchange(m_keptCopy, QString()); }
    // How long a save waits for another writer's lock, in milliseconds.
    void setLockTimeout(int milliseconds) { m_lockTimeout = milliseconds; }

Q_SIGNALS:
    void saved(bool succeeded);

protected:
    struct Pending
    {
        QString value;
        Update update;
    };
    // By "section/key".
    using PendingValues = QMap<QString, Pending>;
    struct Outcome
    {
        bool written = false;
        bool unreadable = false;
        // Read only in part, and not copied aside.
        bool damaged = false;
        QString keptCopy;
    };
    using Stored = std::function<std::optional<QString>(const QString &path)>;

    // A store kept by a subclass.
    SettingsStore() = default;
    // Gives write() each value, updates applied to the stored text.
    static void apply(const PendingValues &values, const Stored &stored,
                      const std::function<void(const QString &, const QString &)> &write);
    virtual std::optional<QString> storedText(const QString &path) const;
    // Runs in the background, where it touches nothing but the store.
    virtual Outcome write(const PendingValues &values, bool damaged);
    // Bytes free on the disk of that folder; asked in the background.
    virtual qint64 freeSpace(const QString &folder) const;

private:
    bool finishWorker();

    QString m_location;
    QSettings::Format m_format = QSettings::IniFormat;
    int m_lockTimeout = 1000;
    std::unique_ptr<QSettings> m_reader;
    bool m_unreadable = false;
    bool m_damaged = false;
    QString m_keptCopy;
    PendingValues m_pending;
    // What the save under way writes, and how it went.
    PendingValues m_saving;
    Outcome m_outcome;
    QThread *m_worker = nullptr;
    int m_workers = 0;
    bool m_saveAgain = false;
};

#endif // SETTINGSSTORE_H
