#pragma once

#include <functional>

#include <QByteArray>
#include <QObject>
#include <QString>

#include <sys/types.h>

class QLocalServer;
class QLocalSocket;

namespace kelvo::system {

// The way a later start of the program reaches the running copy: a local socket in the user's runtime
// folder over which exactly one thing can be asked, to bring the window forward. Whatever else arrives
// (other bytes, too many bytes, a peer of another user, a peer that says nothing) is dropped unanswered.
class InstanceChannel : public QObject {
    Q_OBJECT
public:
    // The whole request, byte for byte.
    static const QByteArray Request;

    // What the bytes a connection has sent so far amount to.
    enum class Verdict {
        Incomplete,  // a beginning of the request: wait for more
        ComeForward, // the request, complete
        Refused,     // anything else: drop the connection
    };
    static Verdict Judge(const QByteArray& received);

    // path: the socket's full path, beside the single-instance lock.
    explicit InstanceChannel(const QString& path, QObject* parent = nullptr);
    ~InstanceChannel() override;

    // Starts listening; call only while holding the single-instance lock, since a socket left by a copy that
    // died is removed first. False when the socket cannot be made; Problem() then says why.
    bool Listen();
    QString Problem() const { return problem_; }

    // Which user ids may ask; by default only the user this process runs as.
    void SetPeerCheck(std::function<bool(uid_t)> check) { peerCheck_ = std::move(check); }

    // Asks the copy listening at path to come forward. True once the request is handed to the socket.
    static bool AskToComeForward(const QString& path, int timeoutMs);

    // A connection that has not sent the whole request within this time is dropped.
    static constexpr int RequestTimeoutMs = 2000;
    // More connections than this at once are dropped at once.
    static constexpr int MaxPendingConnections = 8;

signals:
    void ComeForwardRequested();

private:
    void Accept();
    void Read(QLocalSocket* socket);
    bool PeerAllowed(const QLocalSocket& socket) const;

    QString path_;
    QString problem_;
    QLocalServer* server_ = nullptr;
    std::function<bool(uid_t)> peerCheck_;
    int open_ = 0;
};

} // namespace kelvo::system
