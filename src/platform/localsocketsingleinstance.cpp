// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/systemsingleinstance.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

// The copy that listens holds a lock on a file in the user's runtime folder (mode 0700) and
// writes into it the path of its socket: the runtime folder's own, or, where that path is too
// long for a socket's address or held by another process, one in a folder of the user's own in
// the temporary folder. A call reads the path and connects there. Every call is made without
// waiting: a copy that does not answer holds nobody up.

namespace {

const char socketName[] = "ormek-calculator";

// What a call says. A connection that says nothing only asks whether a copy listens.
constexpr char showRequest = 's';

// Every file is opened so: never inherited, never waited for, never through a link.
constexpr int openFlags = O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW;

QByteArray runtimeFolder()
{
    return QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
}

// Empty without a runtime folder.
QByteArray lockPath()
{
    const QByteArray folder = runtimeFolder();
    return folder.isEmpty() ? folder : folder + "/ormek-calculator.lock";
}

// Empty when the path does not fit into a socket's address.
std::optional<sockaddr_un> socketAddress(const QByteArray &path)
{
    sockaddr_un address = {};
    if (path.isEmpty() || size_t(path.size()) >= sizeof(address.sun_path))
        return std::nullopt;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return address;
}

// A folder in the temporary folder that only this user can enter, made when missing.
QByteArray ownTemporaryFolder()
{
    const QByteArray folder = QFile::encodeName(QDir::tempPath()) + "/ormek-calculator-"
            + QByteArray::number(::getuid());
    ::mkdir(folder.constData(), 0700);
    struct stat status = {};
    if (::lstat(folder.constData(), &status) != 0 || !S_ISDIR(status.st_mode)
        || status.st_uid != ::getuid() || (status.st_mode & 077) != 0)
        return {};
    return folder;
}

// A connection to path, made without waiting: -1 when nothing listens there. A copy too busy
// to take it is still there.
int connectTo(const QByteArray &path, bool *busy = nullptr)
{
    const std::optional<sockaddr_un> address = socketAddress(path);
    if (!address)
        return -1;
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (socket < 0)
        return -1;
    if (::connect(socket, reinterpret_cast<const sockaddr *>(&*address), sizeof(*address)) == 0)
        return socket;
    if (busy)
        *busy = errno == EAGAIN;
    ::close(socket);
    return -1;
}

// A listening socket at path, in place of a socket that nobody listens at any more. -1 when
// path is held by anything else.
int listenAt(const QByteArray &path)
{
    const std::optional<sockaddr_un> address = socketAddress(path);
    if (!address)
        return -1;
    const int server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (server < 0)
        return -1;
    const auto bindTo = [&] {
        return ::bind(server, reinterpret_cast<const sockaddr *>(&*address), sizeof(*address)) == 0;
    };
    bool bound = bindTo();
    if (!bound && errno == EADDRINUSE) {
        // The lock is this copy's: a socket that answers belongs to another program.
        bool busy = false;
        const int probe = connectTo(path, &busy);
        if (probe >= 0)
            ::close(probe);
        if (probe < 0 && !busy && ::unlink(path.constData()) == 0)
            bound = bindTo();
    }
    if (!bound || ::listen(server, 16) != 0) {
        ::close(server);
        return -1;
    }
    return server;
}

} // namespace

struct SystemSingleInstance::Line
{
    int lock = -1;
    int server = -1;
    QByteArray path;
    std::unique_ptr<QSocketNotifier> notifier;
    std::function<void()> called;

    void accept();
    void read(int connection, QSocketNotifier *readable);
};

// Each caller says what it has to say as soon as it is connected, then closes.
void SystemSingleInstance::Line::accept()
{
    for (;;) {
        const int connection = ::accept4(server, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (connection < 0)
            return;
        // Goes with the listening socket's notifier at the latest.
        auto *readable = new QSocketNotifier(connection, QSocketNotifier::Read, notifier.get());
        QObject::connect(readable, &QObject::destroyed, [connection] { ::close(connection); });
        QObject::connect(readable, &QSocketNotifier::activated, readable,
                         [this, connection, readable] { read(connection, readable); });
    }
}

void SystemSingleInstance::Line::read(int connection, QSocketNotifier *readable)
{
    char said[16];
    const ssize_t size = ::recv(connection, said, sizeof(said), 0);
    if (size < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    readable->setEnabled(false);
    readable->deleteLater();
    if (size > 0 && std::memchr(said, showRequest, size_t(size)))
        called();
}

namespace {

void tellUnreachable(const QByteArray &path)
{
    qWarning("%s",
             qPrintable(QStringLiteral("无法使用 %1：再次启动本程序时找不到这里的自动关机。")
                                .arg(QFile::decodeName(path))));
}

} // namespace

SystemSingleInstance::SystemSingleInstance() : m_line(std::make_unique<Line>()) { }

SystemSingleInstance::~SystemSingleInstance()
{
    stopListening();
}

bool SystemSingleInstance::call()
{
    const int lock = ::open(lockPath().constData(), O_RDONLY | openFlags);
    if (lock < 0)
        return false;
    char path[sizeof(sockaddr_un::sun_path)];
    struct stat status = {};
    const ssize_t size = ::fstat(lock, &status) == 0 && S_ISREG(status.st_mode)
            ? ::read(lock, path, sizeof(path))
            : -1;
    ::close(lock);
    if (size <= 0)
        return false;
    bool busy = false;
    const int socket = connectTo(QByteArray(path, size), &busy);
    if (socket < 0)
        return busy;
    const bool sent = ::send(socket, &showRequest, 1, MSG_NOSIGNAL | MSG_DONTWAIT) == 1;
    ::close(socket);
    return sent;
}

bool SystemSingleInstance::listen(std::function<void()> called)
{
    Line &line = *m_line;
    if (line.server >= 0)
        return true;
    const QByteArray lock = lockPath();
    line.lock = ::open(lock.constData(), O_RDWR | O_CREAT | openFlags, 0600);
    struct stat status = {};
    if (line.lock < 0 || ::fstat(line.lock, &status) != 0 || !S_ISREG(status.st_mode)) {
        tellUnreachable(lock);
        stopListening();
        return true;
    }
    if (::flock(line.lock, LOCK_EX | LOCK_NB) != 0) {
        const bool anotherListens = errno == EWOULDBLOCK;
        if (!anotherListens)
            tellUnreachable(lock);
        stopListening();
        return !anotherListens;
    }
    const auto listenIn = [&line](const QByteArray &folder) {
        line.path = folder + '/' + socketName;
        line.server = folder.isEmpty() ? -1 : listenAt(line.path);
        return line.server >= 0;
    };
    if (!listenIn(runtimeFolder()))
        listenIn(ownTemporaryFolder());
    if (line.server < 0 || ::ftruncate(line.lock, 0) != 0
        || ::pwrite(line.lock, line.path.constData(), size_t(line.path.size()), 0)
                != line.path.size()) {
        tellUnreachable(runtimeFolder() + '/' + socketName);
        stopListening();
        return true;
    }
    line.called = std::move(called);
    line.notifier = std::make_unique<QSocketNotifier>(line.server, QSocketNotifier::Read);
    QObject::connect(line.notifier.get(), &QSocketNotifier::activated, line.notifier.get(),
                     [&line] { line.accept(); });
    return true;
}

void SystemSingleInstance::stopListening()
{
    Line &line = *m_line;
    line.notifier.reset();
    if (line.server >= 0) {
        ::close(line.server);
        ::unlink(line.path.constData());
        // Nobody listens now: a call finds no path.
        [[maybe_unused]] const int emptied = ::ftruncate(line.lock, 0);
    }
    if (line.lock >= 0)
        ::close(line.lock);
    line.server = line.lock = -1;
}
