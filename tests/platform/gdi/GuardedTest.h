#pragma once

#include <optional>

#include <QObject>
#include <QTest>

#include "platform/gdi/ObjectCountGuard.h"

namespace kelvo::gdi::test {

// The base of the drawing tests: a count of live objects is taken before every test function and data
// row and checked after it, so no drawing step may leave an object alive that it did not hand to someone.
class GuardedTest : public QObject {
    Q_OBJECT

private slots:
    void init() { stepGuard_.emplace(); }
    void cleanup() { QVERIFY2(stepGuard_->Unchanged(), qPrintable(stepGuard_->Report())); }

private:
    std::optional<ObjectCountGuard> stepGuard_;
};

} // namespace kelvo::gdi::test
