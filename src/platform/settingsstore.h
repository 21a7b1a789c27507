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

class QThread;

// The per-user settings store: string values addressed by section and key, kept by QSettings
// itself, which locks the store, reads it again when another program changed it, merges the
// values set key by key and replaces the file whole and atomically.
//
// Values set wait until a save writes them, in the background: the window never waits for a
// large store to be written. Only the values set are written, so what another copy of the
// program wrote in between stays. A value that is not text (a number or a list that another
// program stored through QSettings) reads as not stored.
//
// Before QSettings touches a store file, a guard checks what QSettings cannot: that the store
// and its lock are plain files or absent (QSettings would wait for good on a pipe or a device),
// that the store is small enough to be written within a few seconds, and that the disk has
// room for it. A store file QSettings reads only in part is copied aside once before it is
// written over, as it then loses the lines QSettings could not read.
class SettingsStore : public QObject
{
    Q_OBJECT

public:
    // A value computed from the stored text (nothing where there is none) when it is written;
    // nothing leaves the stored value as it is.
    using Update = std::function<std::optional<QString>(const std::optional<QString> &stored)>;

    // A store file's largest size: QSettings writes one as large within three seconds.
    static constexpr qint64 largestFile = 10'000'000;

    // The store in an INI file (QSettings::IniFormat) or, on Windows, in the registry key
    // (QSettings::NativeFormat); read at once.
    SettingsStore(const QString &location, QSettings::Format format);
    ~SettingsStore() override;

    // Reads the store afresh, with what other programs wrote to it.
    virtual void reload();

    // The value set, else the stored text, else defaultValue.
    QString value(const QString &section, const QString &key, const QString &defaultValue) const;
    void setValue(const QString &section, const QString &key, const QString &value);
    void updateValue(const QString &section, const QString &key, Update update);

    // Writes what was set in the background; saved() tells how it went. What could not be
    // written is kept for the next save.
    void save();
    // Writes what was set, and what a save under way writes, and waits for it: false when it
    // did not reach the store. Tells nothing through saved().
    bool commit();

    // The store could not be read at the last reload or save. Nothing is written over it.
    virtual bool isUnreadable() const;
    // Where the values are kept, for the user: a file name, or a registry key on Windows.
    virtual QString location() const;
    // Once after a save that copied a damaged store file aside: the copy. Empty otherwise.
    virtual QString takeKeptCopy();
    // How long a save waits for another writer's lock, in milliseconds.
    void setLockTimeout(int milliseconds);

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
        // Read only in part, and not copied aside yet.
        bool damaged = false;
        QString keptCopy;
    };

    // A store kept elsewhere by a subclass, written where the save is made.
    SettingsStore();

    // Writes values into a store that gives the stored text of a path, updates applied to it.
    static void apply(const PendingValues &values,
                      const std::function<std::optional<QString>(const QString &)> &stored,
                      const std::function<void(const QString &, const QString &)> &write);

    // The stored text of "section/key"; nothing where there is none, or not text.
    virtual std::optional<QString> storedText(const QString &path) const;
    // Writes values; in the background, where it touches nothing but the store.
    virtual Outcome write(const PendingValues &values, bool damaged);

private:
    bool start();
    bool finish();
    bool finishWorker();

    QString m_location;
    QSettings::Format m_format = QSettings::IniFormat;
    bool m_background = false;
    int m_lockTimeout = 1000;
    std::unique_ptr<QSettings> m_reader;
    bool m_unreadable = false;
    bool m_damaged = false;
    QString m_keptCopy;
    PendingValues m_pending;
    // What the save under way writes, and its outcome.
    PendingValues m_saving;
    Outcome m_outcome;
    QThread *m_worker = nullptr;
    int m_workers = 0;
    bool m_saveAgain = false;
};

#endif // SETTINGSSTORE_H
