#pragma once

#include <csignal>
#include <initializer_list>
#include <vector>

#include <QObject>

class QSocketNotifier;

namespace kelvo::system {

// Turns termination signals (SIGTERM, SIGINT and SIGHUP unless told otherwise) into a Qt signal delivered
// by the event loop: the handler itself only writes a byte to a socket, which is all a signal handler may
// safely do.
//
// A process has one handler per signal, so at most one bridge is active at a time: a bridge made while
// another is active stays inactive and leaves the first one's handlers and socket alone. An active bridge
// gives back the handlers it replaced and closes its socket when it is destroyed.
class SignalBridge : public QObject {
    Q_OBJECT
public:
    explicit SignalBridge(std::initializer_list<int> signalNumbers = {SIGTERM, SIGINT, SIGHUP},
                          QObject* parent = nullptr);
    ~SignalBridge() override;
    SignalBridge(const SignalBridge&) = delete;
    SignalBridge& operator=(const SignalBridge&) = delete;

    // Whether this bridge handles the signals (false for a second bridge, or when no socket could be made).
    bool Active() const { return notifier_ != nullptr; }

signals:
    void terminationRequested(int signalNumber);

private:
    void ReadSignal();

    std::vector<int> signalNumbers_;
    std::vector<struct sigaction> previous_;
    int socket_[2] = {-1, -1}; // [0] written by the handler, [1] read by the event loop
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace kelvo::system
