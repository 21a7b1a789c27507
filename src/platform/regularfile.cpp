// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/regularfile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Reads in pieces, so that no more is held than the file has; one beyond the limit is enough
// to tell that the file is too large.
FileContents readBounded(QFile &file, qint64 limit)
{
    FileContents contents;
    contents.outcome = FileContents::Unreadable;
    QByteArray bytes;
    char piece[65536];
    for (;;) {
        const qint64 read = file.read(piece, sizeof piece);
        if (read < 0 || bytes.size() + read > limit)
            return contents;
        if (read == 0)
            break;
        bytes.append(piece, read);
    }
    contents.outcome = FileContents::Read;
    contents.bytes = bytes;
    return contents;
}

} // namespace

bool isAbsentOrSmallFile(const QString &fileName, qint64 limit)
{
    const QFileInfo info(fileName);
    if (info.isSymLink())
        return false;
    return !info.exists() || (info.isFile() && info.size() <= limit);
}

#ifdef Q_OS_UNIX

FileContents readRegularFile(const QString &fileName, qint64 limit)
{
    FileContents contents;
    // Without O_NONBLOCK, opening a pipe waits for a writer.
    const int fd = ::open(QFile::encodeName(fileName).constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        contents.outcome = errno == ENOENT ? FileContents::Absent : FileContents::Unreadable;
        return contents;
    }
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        contents.outcome = FileContents::Unreadable;
        return contents;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        contents.outcome = FileContents::Unreadable;
        return contents;
    }
    return readBounded(file, limit);
}

bool copyPermissions(const QString &fileName, QFileDevice &file)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(fileName).constData(), &status) != 0)
        return errno == ENOENT;
    // The group first, as changing it may clear the set-group-ID bit. A user may give a file
    // only a group of their own: where that fails, the file keeps the user's group.
    if (::fchown(file.handle(), uid_t(-1), status.st_gid) != 0 && errno != EPERM)
        return false;
    return ::fchmod(file.handle(), status.st_mode & 07777) == 0;
}

#else

FileContents readRegularFile(const QString &fileName, qint64 limit)
{
    FileContents contents;
    const QFileInfo info(fileName);
    if (!info.exists()) {
        contents.outcome = info.isSymLink() ? FileContents::Unreadable : FileContents::Absent;
        return contents;
    }
    QFile file(fileName);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        contents.outcome = FileContents::Unreadable;
        return contents;
    }
    return readBounded(file, limit);
}

bool copyPermissions(const QString &fileName, QFileDevice &file)
{
    const QFileDevice::Permissions permissions = QFile::permissions(fileName);
    return !permissions || file.setPermissions(permissions);
}

#endif
