// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/filesettingsstore.h"

#include "platform/regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <utility>

namespace {

// Far beyond any store of nine names and prices in six tables.
constexpr qint64 largestStore = 64 * 1024 * 1024;
// A lock holds a process number, a program name and a host name.
constexpr qint64 largestLock = 4096;

// A name beside the file for a copy of it that no earlier copy has.
bool createCopy(const QString &fileName, const QByteArray &bytes, QString &copyName)
{
    for (int number = 1; number < 1000; ++number) {
        copyName = number == 1 ? fileName + QStringLiteral(".bak")
                               : QStringLiteral("%1.%2.bak").arg(fileName).arg(number);
        QFile copy(copyName);
        if (!copy.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (copy.exists())
                continue;
            return false;
        }
        // The copy is as private as the store.
        if (copyPermissions(fileName, copy) && copy.write(bytes) == bytes.size() && copy.flush())
            return true;
        // QFile::remove() would keep a file whose last bytes could not be written.
        copy.close();
        QFile::remove(copyName);
        return false;
    }
    return false;
}

} // namespace

FileSettingsStore::FileSettingsStore(const QString &fileName) : m_fileName(fileName)
{
    reload();
}

void FileSettingsStore::setLockTimeout(int milliseconds)
{
    m_lockTimeout = milliseconds;
}

FileSettingsStore::State FileSettingsStore::read(SettingsValues &values, QByteArray &bytes) const
{
    const FileContents contents = readRegularFile(m_fileName, largestStore);
    values.clear();
    bytes = contents.bytes;
    switch (contents.outcome) {
    case FileContents::Absent:
        return State::Readable;
    case FileContents::Unreadable:
        return State::Unreadable;
    case FileContents::Read:
        break;
    }
    switch (readSettingsFile(bytes, values, folder())) {
    case SettingsFileReading::Read:
        return State::Readable;
    case SettingsFileReading::Damaged:
        return State::Damaged;
    case SettingsFileReading::Failed:
        break;
    }
    return State::Unreadable;
}

void FileSettingsStore::reload()
{
    QByteArray bytes;
    m_unreadable = read(m_values, bytes) == State::Unreadable;
}

QString FileSettingsStore::value(const QString &section, const QString &key,
                                 const QString &defaultValue) const
{
    const QString path = PendingValues::path(section, key);
    if (const std::optional<QString> set = m_pending.text(path))
        return *set;
    return m_values.value(path, defaultValue);
}

void FileSettingsStore::setValue(const QString &section, const QString &key, const QString &value)
{
    m_pending.set(PendingValues::path(section, key), value);
}

void FileSettingsStore::updateValue(const QString &section, const QString &key, Update update)
{
    m_pending.update(PendingValues::path(section, key), std::move(update));
}

bool FileSettingsStore::commit()
{
    if (!QDir().mkpath(folder()))
        return false;
    const QString lockName = m_fileName + QStringLiteral(".lock");
    // QLockFile reads the lock another writer left: a pipe, a device or a huge file there
    // would hold it up for good.
    if (!isAbsentOrSmallFile(lockName, largestLock))
        return false;
    QLockFile lock(lockName);
    if (!lock.tryLock(m_lockTimeout))
        return false;

    SettingsValues values;
    QByteArray bytes;
    const State state = read(values, bytes);
    m_unreadable = state == State::Unreadable;
    if (m_unreadable)
        return false;
    SettingsValues changes;
    m_pending.apply(
            [&values](const QString &path) -> std::optional<QString> {
                const auto it = values.constFind(path);
                return it == values.cend() ? std::nullopt : std::optional(*it);
            },
            [&changes](const QString &path, const QString &value) { changes.insert(path, value); });
    const std::optional<SettingsFileText> text = settingsFileWithValues(bytes, changes, folder());
    if (!text || readSettingsFile(text->bytes, values, folder()) == SettingsFileReading::Failed)
        return false;
    // Written whole, the file loses the lines QSettings could not read, and its comments.
    if ((state == State::Damaged || text->rewritten) && !bytes.isEmpty() && bytes != m_keptBytes
        && !keepCopy(bytes))
        return false;
    if (!write(text->bytes))
        return false;
    m_values = values;
    m_pending.clear();
    return true;
}

QString FileSettingsStore::folder() const
{
    return QFileInfo(m_fileName).absolutePath();
}

bool FileSettingsStore::keepCopy(const QByteArray &bytes)
{
    QString copyName;
    if (!createCopy(m_fileName, bytes, copyName))
        return false;
    m_keptBytes = bytes;
    m_keptCopy = copyName;
    return true;
}

bool FileSettingsStore::write(const QByteArray &text)
{
    QSaveFile file(m_fileName);
    if (!file.open(QIODevice::WriteOnly) || !copyPermissions(m_fileName, file))
        return false;
    // QSaveFile::commit() does not check the flush of its last buffered bytes: a full disk
    // would otherwise replace the file with a truncated one and report success.
    return file.write(text) == text.size() && file.flush() && file.commit();
}

bool FileSettingsStore::isUnreadable() const
{
    return m_unreadable;
}

QString FileSettingsStore::location() const
{
    return m_fileName;
}

QString FileSettingsStore::takeKeptCopy()
{
    return std::exchange(m_keptCopy, QString());
}
