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
// folder over which exactly one thing can be asked, to bring the window forward. The request may carry the
// desktop's activation token of the later start (a launcher hands one to the program it starts), without
// which a Wayland compositor lets no window take the focus. Whatever else arrives (other bytes, too many
// bytes, a peer of another user, a peer that says nothing) is dropped unanswered.
class InstanceChannel : public QObject {
    Q_OBJECT
public:
    // The whole request without a token, byte for byte; with one, the token follows "kelvo show" after a
    // space, before the end of line.
    static const QByteArray Request;
    // A token is 1 to this many visible ASCII characters (no spaces).
    static constexpr qsizetype MaxTokenLength = 255;
    static QByteArray RequestWith(const QByteArray& token);

    // What the bytes a connection has sent so far amount to.
    enum class Verdict {
        Incomplete,  // a beginning of the request: wait for more
        ComeForward, // the request, complete
        Refused,     // anything else: drop the connection
    };
    // token: where the request's token goes, empty for none.
    static Verdict Judge(const QByteArray& received, QByteArray* token = nullptr);

    // path: the socket's full path, beside the single-instance lock.
    explicit InstanceChannel(const QString& path, QObject* parent = nullptr);
    ~InstanceChannel() override;

    // Starts listening; call only while holding the single-instance lock, since a socket left by a copy that
    // died is removed first. False when the socket cannot be made; Problem() then says why.
    bool Listen();
    QString Problem() const { return problem_; }

    // Which user ids may ask; by default only the user this process runs as.
    void SetPeerCheck(std::function<bool(uid_t)> check) { peerCheck_ = std::move(check); }

    // Asks the copy listening at path to come forward, handing on the activation token (empty for none, and
    // so is a token that could not be sent). True once the request is handed to the socket.
    static bool AskToComeForward(const QString& path, int timeoutMs, const QByteArray& token = {});

    // A connection that has not sent the whole request within this time is dropped.
    static constexpr int RequestTimeoutMs = 2000;
    // More connections than this at once are dropped at once.
    static constexpr int MaxPendingConnections = 8;

signals:
    void ComeForwardRequested(const QByteArray& activationToken);

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
