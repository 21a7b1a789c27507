// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/settingsstore.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStorageInfo>
#include <QThread>
#include <limits>

namespace {

// A lock holds a process number, a program name and a host name.
constexpr qint64 largestLock = 4096;

std::optional<QString> textOf(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QStringList:
        // A text with ", " in it, written by hand without quotes, reads as a list.
        return value.toStringList().join(QStringLiteral(", "));
    default:
        return std::nullopt;
    }
}

// A store file QSettings may be given: none yet, or a plain file (QSettings would wait for good
// to read a pipe) that the user may read, of at most the largest size. Follows links.
bool isReadableStore(const QString &fileName)
{
    const QFileInfo file(fileName);
    return !file.exists()
            || (file.isFile() && file.isReadable() && file.size() <= SettingsStore::largestFile);
}

// QSettings reads what a writer left in the lock, as it would a pipe or a device there.
bool isSoundLock(const QString &fileName)
{
    const QFileInfo lock(fileName + QStringLiteral(".lock"));
    return !lock.isSymLink() && (!lock.exists() || (lock.isFile() && lock.size() <= largestLock));
}

// Qt 6.4's QSaveFile does not check the write of its last buffered bytes: on a disk that fills
// up there, QSettings puts a truncated file in place of the store and reports no error. So
// there must be room for the store written anew, even four times as large (QSettings escapes
// what others wrote plainly), for its copy, and for the values.
bool hasRoom(const QString &fileName, qint64 valueCharacters, qint64 freeSpace)
{
    const qint64 bytes = QFileInfo(fileName).size() + 3 * valueCharacters + 65536;
    return freeSpace >= 4 * bytes;
}

// A copy beside the file, with its permissions, under a name no earlier copy has.
QString keepCopy(const QString &fileName)
{
    for (int number = 1; number < 1000; ++number) {
        const QString copy = number == 1 ? fileName + QStringLiteral(".bak")
                                         : QStringLiteral("%1.%2.bak").arg(fileName).arg(number);
        if (!QFileInfo::exists(copy))
            return QFile::copy(fileName, copy) ? copy : QString();
    }
    return QString();
}

} // namespace

SettingsStore::SettingsStore(const QString &location, QSettings::Format format)
    : m_location(location), m_format(format)
{
    reload();
}

SettingsStore::~SettingsStore()
{
    // The save under way reads this object.
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
    }
}

void SettingsStore::reload()
{
    if (m_format == QSettings::IniFormat) {
        m_unreadable = !isReadableStore(m_location);
        if (m_unreadable)
            m_reader.reset();
        // QSettings writes again, taking the lock, what it failed to write: with an unsound
        // lock, what was read stays.
        if (m_unreadable || (m_reader && !isSoundLock(m_location)))
            return;
    }
    // Beside the old reader, which keeps what QSettings read: it reads again only a changed file.
    auto reader = std::make_unique<QSettings>(m_location, m_format);
    // QSettings reads each section when first asked for it: all now, so a damaged one is known.
    reader->childKeys();
    m_unreadable = reader->status() == QSettings::AccessError;
    m_damaged = m_damaged || reader->status() == QSettings::FormatError;
    m_reader = std::move(reader);
}

QString SettingsStore::value(const QString &section, const QString &key,
                             const QString &defaultValue) const
{
    const QString path = section + u'/' + key;
    for (const PendingValues *values : { &m_pending, &m_saving }) {
        const auto it = values->constFind(path);
        if (it != values->cend() && !it->update)
            return it->value;
    }
    return storedText(path).value_or(defaultValue);
}

void SettingsStore::setValue(const QString &section, const QString &key, const QString &value)
{
    m_pending.insert(section + u'/' + key, { value, {} });
}

void SettingsStore::updateValue(const QString &section, const QString &key, Update update)
{
    m_pending.insert(section + u'/' + key, { QString(), std::move(update) });
}

void SettingsStore::save()
{
    if (m_worker) {
        m_saveAgain = true;
        return;
    }
    if (m_pending.isEmpty())
        return;
    m_saving = std::exchange(m_pending, {});
    m_worker = QThread::create(
            [this, values = m_saving, damaged = m_damaged] { m_outcome = write(values, damaged); });
    // Unless commit() has finished it meanwhile.
    connect(m_worker, &QThread::finished, this, [this, worker = ++m_workers] {
        if (m_worker && worker == m_workers)
            Q_EMIT saved(finishWorker());
    });
    m_worker->start();
}

bool SettingsStore::commit()
{
    SettingsStore::save();
    bool written = true;
    while (m_worker)
        written = finishWorker();
    return written;
}

bool SettingsStore::finishWorker()
{
    m_worker->wait();
    delete std::exchange(m_worker, nullptr);
    m_unreadable = m_outcome.unreadable;
    if (!m_outcome.keptCopy.isEmpty())
        m_keptCopy = m_outcome.keptCopy;
    m_damaged = m_outcome.keptCopy.isEmpty() && (m_damaged || m_outcome.damaged);
    PendingValues unwritten = std::exchange(m_saving, {});
    if (!m_outcome.written) {
        // Under what was set since.
        unwritten.insert(m_pending);
        m_pending = unwritten;
    }
    if (std::exchange(m_saveAgain, false))
        SettingsStore::save();
    return m_outcome.written;
}

void SettingsStore::apply(const PendingValues &values, const Stored &stored,
                          const std::function<void(const QString &, const QString &)> &write)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (!it->update)
            write(it.key(), it->value);
        else if (const std::optional<QString> value = it->update(stored(it.key())))
            write(it.key(), *value);
    }
}

std::optional<QString> SettingsStore::storedText(const QString &path) const
{
    return m_reader ? textOf(m_reader->value(path)) : std::nullopt;
}

qint64 SettingsStore::freeSpace(const QString &folder) const
{
    const QStorageInfo disk(folder);
    return disk.isValid() ? disk.bytesAvailable() : std::numeric_limits<qint64>::max();
}

SettingsStore::Outcome SettingsStore::write(const PendingValues &values, bool damaged)
{
    Outcome outcome;
    outcome.damaged = damaged;
    // Kept until the write is done, so that QSettings reads the file at most once.
    std::optional<QSettings> check;
    if (m_format == QSettings::IniFormat) {
        outcome.unreadable = !isReadableStore(m_location);
        if (outcome.unreadable || !isSoundLock(m_location)
            || !QDir().mkpath(QFileInfo(m_location).absolutePath()))
            return outcome;
        // QSettings would wait for a lock another writer holds until it is stale, 30 s.
        if (QLockFile probe(m_location + QStringLiteral(".lock")); !probe.tryLock(m_lockTimeout))
            return outcome;
        check.emplace(m_location, m_format);
        check->childKeys();
        outcome.unreadable = check->status() == QSettings::AccessError;
        outcome.damaged = damaged || check->status() == QSettings::FormatError;
        qint64 characters = 0;
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            characters += it.key().size() + it->value.size();
        if (outcome.unreadable
            || !hasRoom(m_location, characters, freeSpace(QFileInfo(m_location).absolutePath())))
            return outcome;
        if (outcome.damaged && QFileInfo::exists(m_location)) {
            outcome.keptCopy = keepCopy(m_location);
            if (outcome.keptCopy.isEmpty())
                return outcome;
        }
    }
    // A fresh object, whose status tells of this write alone.
    QSettings settings(m_location, m_format);
    apply(
            values, [&settings](const QString &path) { return textOf(settings.value(path)); },
            [&settings](const QString &path, const QString &value) {
                settings.setValue(path, value);
            });
    settings.sync();
    outcome.written = settings.status() == QSettings::NoError;
    return outcome;
}
