#pragma once

#include <array>
#include <cstdint>

#include <QString>

#include "platform/gdi/ObjectCount.h"

namespace kelvo::gdi {

// Test helper: remembers the live object counts when made, and tells whether a drawing step left them
// as they were. Use as `ObjectCountGuard guard; ...draw...; QVERIFY2(guard.Unchanged(),
// qPrintable(guard.Report()));`
class ObjectCountGuard {
public:
    ObjectCountGuard();

    bool Unchanged() const;
    // "pens +1, regions -1" style description of the difference; empty when unchanged.
    QString Report() const;

private:
    std::array<std::int64_t, ObjectCount::Kinds> start_{};
};

} // namespace kelvo::gdi
