#include "EventPump.h"

#include <QCoreApplication>

namespace kelvo::system {

void QtEventPump::DoEvents() {
    if (depth_ >= MaxDepth || QCoreApplication::instance() == nullptr) {
        return;
    }
    ++depth_;
    // Deferred deletions are left for the outer loop: an object must not vanish under a handler that is
    // still running further up the stack.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    --depth_;
}

} // namespace kelvo::system
