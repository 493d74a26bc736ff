#include "InstanceChannel.h"

#include <algorithm>

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

namespace {

bool TokenCharacters(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c > ' ' && c < 0x7f; });
}

} // namespace

QByteArray InstanceChannel::RequestWith(const QByteArray& token) {
    if (token.isEmpty() || token.size() > MaxTokenLength || !TokenCharacters(token)) {
        return Request;
    }
    return Request.chopped(1) + ' ' + token + '\n';
}

InstanceChannel::Verdict InstanceChannel::Judge(const QByteArray& received, QByteArray* token) {
    const QByteArrayView head = QByteArrayView(Request).chopped(1); // "kelvo show"
    const QByteArrayView bytes(received);
    const qsizetype end = bytes.indexOf('\n');
    const QByteArrayView line = end < 0 ? bytes : bytes.first(end);
    // Up to the end of the head the bytes must follow it; then come an optional space and token.
    if (!head.startsWith(line.first(std::min(line.size(), head.size())))) {
        return Verdict::Refused;
    }
    QByteArrayView rest = line.size() > head.size() ? line.sliced(head.size()) : QByteArrayView();
    if (!rest.isEmpty()) {
        if (rest.front() != ' ' || rest.size() - 1 > MaxTokenLength || !TokenCharacters(rest.sliced(1))) {
            return Verdict::Refused;
        }
        rest = rest.sliced(1);
    }
    if (end < 0) {
        return Verdict::Incomplete;
    }
    // The end of line closes the request: it comes last, after the whole head and a token if there is a
    // space.
    if (end != bytes.size() - 1 || line.size() < head.size() ||
        (line.size() > head.size() && rest.isEmpty())) {
        return Verdict::Refused;
    }
    if (token != nullptr) {
        *token = rest.toByteArray();
    }
    return Verdict::ComeForward;
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
        auto* timeout = new QTimer(socket);
        timeout->setSingleShot(true);
        connect(timeout, &QTimer::timeout, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        timeout->start(RequestTimeoutMs);
        if (socket->bytesAvailable() > 0) {
            Read(socket);
        }
    }
}

void InstanceChannel::Read(QLocalSocket* socket) {
    QByteArray received = socket->property(ReceivedProperty).toByteArray();
    // Never more than one byte beyond the longest request: enough to tell that a peer sent too much.
    received += socket->read(Request.size() + 1 + MaxTokenLength + 1 - received.size());
    QByteArray token;
    const Verdict verdict = Judge(received, &token);
    if (verdict == Verdict::Incomplete) {
        socket->setProperty(ReceivedProperty, received);
        return;
    }
    socket->abort();
    socket->deleteLater();
    if (verdict == Verdict::ComeForward) {
        emit ComeForwardRequested(token);
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

bool InstanceChannel::AskToComeForward(const QString& path, int timeoutMs, const QByteArray& token) {
    QLocalSocket socket;
    socket.connectToServer(path, QIODevice::WriteOnly);
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    const QByteArray request = RequestWith(token);
    if (socket.write(request) != request.size() || !socket.waitForBytesWritten(timeoutMs)) {
        return false;
    }
    socket.disconnectFromServer();
    return true;
}

} // namespace kelvo::system
