#include "InstanceChannel.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QVariant>

#include <sys/socket.h>
#include <unistd.h>

namespace kelvo::system {

namespace {

// The bytes a connection has sent so far, kept on the socket itself so they go with it.
constexpr char ReceivedProperty[] = "kelvoReceived";

} // namespace

const QByteArray InstanceChannel::Request = QByteArrayLiteral("kelvo show\n");

InstanceChannel::Verdict InstanceChannel::Judge(const QByteArray& received) {
    if (received == Request) {
        return Verdict::ComeForward;
    }
    if (received.size() < Request.size() && Request.startsWith(received)) {
        return Verdict::Incomplete;
    }
    return Verdict::Refused;
}

InstanceChannel::InstanceChannel(const QString& path, QObject* parent)
    : QObject(parent)
    , path_(path)
    , peerCheck_([](uid_t uid) { return uid == ::geteuid(); }) {}

InstanceChannel::~InstanceChannel() {
    // The server and its connections go while this object is whole: their ends are counted here.
    delete server_;
}

bool InstanceChannel::Listen() {
    problem_.clear();
    if (server_ == nullptr) {
        server_ = new QLocalServer(this);
        // The socket file is made readable and writable by its owner only; the runtime folder is the user's
        // own as well, and the peer's user id is checked on every connection besides.
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        server_->setMaxPendingConnections(MaxPendingConnections);
        connect(server_, &QLocalServer::newConnection, this, &InstanceChannel::Accept);
    }
    if (server_->isListening()) {
        return true;
    }
    // The lock says no other copy runs, so a socket file here was left by one that died.
    QLocalServer::removeServer(path_);
    if (!server_->listen(path_)) {
        problem_ = QStringLiteral("cannot listen on %1 (%2)").arg(path_, server_->errorString());
        return false;
    }
    return true;
}

void InstanceChannel::Accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        if (open_ >= MaxPendingConnections || !PeerAllowed(*socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++open_;
        connect(socket, &QObject::destroyed, this, [this] { --open_; });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A peer that connects and keeps silent must not hold a connection for ever.
        QTimer::singleShot(RequestTimeoutMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        if (socket->bytesAvailable() > 0) {
            Read(socket);
        }
    }
}

void InstanceChannel::Read(QLocalSocket* socket) {
    QByteArray received = socket->property(ReceivedProperty).toByteArray();
    // Never more than one byte beyond the request: enough to tell that a peer sent too much.
    received += socket->read(Request.size() + 1 - received.size());
    const Verdict verdict = Judge(received);
    if (verdict == Verdict::Incomplete) {
        socket->setProperty(ReceivedProperty, received);
        return;
    }
    socket->abort();
    socket->deleteLater();
    if (verdict == Verdict::ComeForward) {
        emit ComeForwardRequested();
    }
}

bool InstanceChannel::PeerAllowed(const QLocalSocket& socket) const {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    const auto descriptor = static_cast<int>(socket.socketDescriptor());
    if (descriptor < 0 || ::getsockopt(descriptor, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 ||
        size != sizeof credentials) {
        return false;
    }
    return peerCheck_ && peerCheck_(credentials.uid);
}

bool InstanceChannel::AskToComeForward(const QString& path, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(path, QIODevice::WriteOnly);
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    if (socket.write(Request) != Request.size() || !socket.waitForBytesWritten(timeoutMs)) {
        return false;
    }
    socket.disconnectFromServer();
    return true;
}

} // namespace kelvo::system
