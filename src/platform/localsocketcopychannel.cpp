// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

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

// What a call says. A connection that says nothing only asks whether a copy listens.
constexpr char showRequest = 's';

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
    socket.write(&showRequest, 1);
    const bool sent = socket.waitForBytesWritten(connectTimeout);
    socket.disconnectFromServer();
    return sent;
}

void SystemCopyChannel::listen(std::function<void()> called)
{
    if (m_line->server)
        return;
    auto server = std::make_unique<QLocalServer>();
    // Without access options listen() fails on a socket that is there, instead of replacing
    // it: another copy that listens keeps its socket, and a socket left by a copy that crashed
    // (which refuses connections) goes.
    if (!server->listen(socketPath())) {
        QLocalSocket probe;
        probe.connectToServer(socketPath());
        if (probe.waitForConnected(connectTimeout))
            return;
        QLocalServer::removeServer(socketPath());
        if (!server->listen(socketPath()))
            return;
    }
    QLocalServer *listening = server.get();
    QObject::connect(listening, &QLocalServer::newConnection, listening, [listening, called] {
        while (QLocalSocket *socket = listening->nextPendingConnection()) {
            auto answer = [socket, called] {
                if (socket->readAll().contains(showRequest))
                    called();
            };
            QObject::connect(socket, &QLocalSocket::readyRead, socket, answer);
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            answer();
        }
    });
    m_line->server = std::move(server);
}

void SystemCopyChannel::stopListening()
{
    // Closing removes the socket file, which is this copy's own.
    m_line->server.reset();
}
