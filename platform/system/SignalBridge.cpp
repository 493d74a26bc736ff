#include "SignalBridge.h"

#include <atomic>
#include <cerrno>
#include <thread>

#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>

namespace kelvo::system {

namespace {

// The only state a signal handler can reach is global: the write end of the active bridge's socket (-1
// while no bridge is active) and the number of handlers running, which the bridge waits to fall to zero
// before it closes the socket a handler may still be writing to. Both are lock-free atomics, which a
// handler may use.
std::atomic<int> activeWriteEnd{-1};
std::atomic<int> handlersRunning{0};
static_assert(std::atomic<int>::is_always_lock_free);

void OnSignal(int signalNumber) {
    // The interrupted code may be about to read errno; a failed write (a full socket) must not change it.
    const int savedErrno = errno;
    handlersRunning.fetch_add(1);
    const int fd = activeWriteEnd.load();
    if (fd >= 0) {
        const unsigned char byte = static_cast<unsigned char>(signalNumber);
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
    handlersRunning.fetch_sub(1);
    errno = savedErrno;
}

void CloseBoth(int (&fds)[2]) {
    for (int& fd : fds) {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }
}

} // namespace

SignalBridge::SignalBridge(std::initializer_list<int> signalNumbers, QObject* parent)
    : QObject(parent)
    , signalNumbers_(signalNumbers) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, socket_) != 0) {
        socket_[0] = socket_[1] = -1;
        return;
    }
    int none = -1;
    if (!activeWriteEnd.compare_exchange_strong(none, socket_[0])) {
        CloseBoth(socket_); // another bridge is active
        return;
    }
    notifier_ = new QSocketNotifier(socket_[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SignalBridge::ReadSignal);

    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    previous_.resize(signalNumbers_.size());
    for (std::size_t i = 0; i < signalNumbers_.size(); ++i) {
        ::sigaction(signalNumbers_[i], &action, &previous_[i]);
    }
}

SignalBridge::~SignalBridge() {
    if (!Active()) {
        return;
    }
    for (std::size_t i = 0; i < signalNumbers_.size(); ++i) {
        ::sigaction(signalNumbers_[i], &previous_[i], nullptr);
    }
    activeWriteEnd.store(-1);
    // A handler that started before the store (on another thread) may still write; it is short.
    while (handlersRunning.load() != 0) {
        std::this_thread::yield();
    }
    delete notifier_;
    notifier_ = nullptr;
    CloseBoth(socket_);
}

void SignalBridge::ReadSignal() {
    unsigned char byte = 0;
    while (::read(socket_[1], &byte, 1) == 1) {
        emit terminationRequested(byte);
    }
}

} // namespace kelvo::system
