#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include "platform/system/InstanceChannel.h"

using kelvo::system::InstanceChannel;

// A channel in a folder of its own, spoken to over real local sockets.
class TestInstanceChannel : public QObject {
    Q_OBJECT

    QString Path() const { return folder_.filePath(QStringLiteral("kelvo.socket")); }

    // Sends the pieces with a pause between them, then waits for the channel to end the connection (or for
    // timeoutMs) and returns how often the window was asked forward.
    int Send(InstanceChannel& channel, const QList<QByteArray>& pieces, int timeoutMs = 1000) {
        QSignalSpy spy(&channel, &InstanceChannel::ComeForwardRequested);
        QLocalSocket socket;
        socket.connectToServer(Path());
        if (!socket.waitForConnected(1000)) {
            return -1;
        }
        for (const QByteArray& piece : pieces) {
            socket.write(piece);
            socket.flush();
            QTest::qWait(20);
        }
        const QDeadlineTimer deadline(timeoutMs);
        while (socket.state() != QLocalSocket::UnconnectedState) {
            if (deadline.hasExpired()) {
                return -2; // the channel kept the connection open
            }
            QTest::qWait(10);
        }
        return static_cast<int>(spy.size());
    }

private slots:
    void theRequestAndOnlyTheRequestBringsTheWindowForward_data() {
        QTest::addColumn<QList<QByteArray>>("pieces");
        QTest::addColumn<int>("requests");
        QTest::addColumn<bool>("peerAllowed"); // false: the peer runs as another user
        const QByteArray request = InstanceChannel::Request;
        QTest::newRow("whole") << QList<QByteArray>{request} << 1 << true;
        QTest::newRow("in pieces") << QList<QByteArray>{request.left(3), request.mid(3, 4), request.mid(7)}
                                   << 1 << true;
        QTest::newRow("garbage") << QList<QByteArray>{QByteArray("\x00\xff rm -rf /\n", 12)} << 0 << true;
        QTest::newRow("a prefix then garbage") << QList<QByteArray>{request.left(5), "quit\n"} << 0 << true;
        QTest::newRow("one byte too many") << QList<QByteArray>{request + "x"} << 0 << true;
        QTest::newRow("the request twice") << QList<QByteArray>{request + request} << 0 << true;
        QTest::newRow("oversized") << QList<QByteArray>{QByteArray(1 << 20, 'k')} << 0 << true;
        QTest::newRow("without its end of line") << QList<QByteArray>{request.chopped(1)} << 0 << true;
        const QByteArray head = request.chopped(1) + ' ';
        QTest::newRow("with a token")
            << QList<QByteArray>{head + "gnome-shell/kelvo/7_TIME4242\n"} << 1 << true;
        QTest::newRow("the longest token")
            << QList<QByteArray>{head + QByteArray(255, 't') + '\n'} << 1 << true;
        QTest::newRow("a token too long")
            << QList<QByteArray>{head + QByteArray(256, 't') + '\n'} << 0 << true;
        QTest::newRow("an empty token") << QList<QByteArray>{head + '\n'} << 0 << true;
        QTest::newRow("a token with a space") << QList<QByteArray>{head + "a b\n"} << 0 << true;
        QTest::newRow("a token with a control byte") << QList<QByteArray>{head + "a\x01\n"} << 0 << true;
        QTest::newRow("another user's peer") << QList<QByteArray>{request} << 0 << false;
    }
    void theRequestAndOnlyTheRequestBringsTheWindowForward() {
        QFETCH(QList<QByteArray>, pieces);
        QFETCH(int, requests);
        QFETCH(bool, peerAllowed);
        InstanceChannel channel(Path());
        if (!peerAllowed) {
            channel.SetPeerCheck([](uid_t) { return false; });
        }
        QVERIFY2(channel.Listen(), qPrintable(channel.Problem()));
        // A peer that stops short of the request is dropped when its time is up.
        QCOMPARE(Send(channel, pieces, InstanceChannel::RequestTimeoutMs + 1000), requests);
    }

    void aLaterStartAsksTheRunningCopy() {
        QVERIFY(!InstanceChannel::AskToComeForward(Path(), 200)); // nobody listens yet
        {
            // A copy that died left its socket file behind; the next one replaces it.
            InstanceChannel dead(Path());
            QVERIFY(dead.Listen());
        }
        InstanceChannel channel(Path());
        QVERIFY2(channel.Listen(), qPrintable(channel.Problem()));
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(Path()).constData(), &info), 0);
        QCOMPARE(info.st_mode & 077, 0u); // the socket is its owner's alone
        QSignalSpy spy(&channel, &InstanceChannel::ComeForwardRequested);
        QVERIFY(InstanceChannel::AskToComeForward(Path(), 1000, "token-1"));
        // A token that cannot be sent is left out rather than spoiling the request.
        QVERIFY(InstanceChannel::AskToComeForward(Path(), 1000, "no spaces, please"));
        QTRY_COMPARE(spy.size(), 2);
        QCOMPARE(spy[0].first().toByteArray(), "token-1");
        QCOMPARE(spy[1].first().toByteArray(), QByteArray());
    }

    void tooManySilentPeersAreTurnedAway() {
        InstanceChannel channel(Path());
        QVERIFY(channel.Listen());
        std::vector<std::unique_ptr<QLocalSocket>> silent;
        for (int i = 0; i < InstanceChannel::MaxPendingConnections; ++i) {
            silent.push_back(std::make_unique<QLocalSocket>());
            silent.back()->connectToServer(Path());
            QVERIFY(silent.back()->waitForConnected(1000));
        }
        QTest::qWait(50);
        // One more is dropped at once; once the silent ones time out, the request is heard again.
        QLocalSocket extra;
        extra.connectToServer(Path());
        QTRY_COMPARE_WITH_TIMEOUT(extra.state(), QLocalSocket::UnconnectedState, 1000);
        QTRY_VERIFY_WITH_TIMEOUT(silent.back()->state() == QLocalSocket::UnconnectedState,
                                 InstanceChannel::RequestTimeoutMs + 1000);
        QCOMPARE(Send(channel, {InstanceChannel::Request}), 1);
    }

private:
    QTemporaryDir folder_;
};

QTEST_GUILESS_MAIN(TestInstanceChannel)
#include "TestInstanceChannel.moc"
