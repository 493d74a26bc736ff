#pragma once

#include <QObject>

class QSocketNotifier;

namespace kelvo::app {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal delivered by the event loop: the handler itself only
// writes a byte to a socket, which is all a signal handler may safely do.
class SignalBridge : public QObject {
    Q_OBJECT
public:
    explicit SignalBridge(QObject* parent = nullptr);
    ~SignalBridge() override;

signals:
    void terminationRequested(int signalNumber);

private:
    void ReadSignal();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace kelvo::app
