#include "platform/systemcopychannel.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

// The runtime folder is the user's own (mode 0700), so the socket is too.
QString socketPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
            .filePath(QStringLiteral("ormek-calculator"));
}

// A copy that listens answers at once; a stale socket refuses at once.
constexpr int connectTimeout = 1000;

} // namespace

struct SystemCopyChannel::Line
{
    std::unique_ptr<QLocalServer> server;
};

SystemCopyChannel::SystemCopyChannel() : m_line(std::make_unique<Line>()) { }

SystemCopyChannel::~SystemCopyChannel() = default;

bool SystemCopyChannel::call()
{
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(connectTimeout))
        return false;
    socket.disconnectFromServer();
    return true;
}

void SystemCopyChannel::listen(std::function<void()> called)
{
    if (m_line->server)
        return;
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // Another copy that listens keeps its socket; a socket left by a copy that crashed goes.
    if (!server->listen(socketPath())) {
        if (call())
            return;
        QLocalServer::removeServer(socketPath());
        if (!server->listen(socketPath()))
            return;
    }
    QLocalServer *listening = server.get();
    QObject::connect(listening, &QLocalServer::newConnection, listening, [listening, called] {
        while (QLocalSocket *socket = listening->nextPendingConnection()) {
            socket->disconnectFromServer();
            socket->deleteLater();
            called();
        }
    });
    m_line->server = std::move(server);
}

void SystemCopyChannel::stopListening()
{
    // Closing removes the socket file.
    m_line->server.reset();
}
