#include "platform/gdi/ObjectCount.h"

namespace kelvo::gdi {

std::array<std::atomic<std::int64_t>, ObjectCount::Kinds>& ObjectCount::Counters() {
    static std::array<std::atomic<std::int64_t>, Kinds> counters{};
    return counters;
}

void ObjectCount::Add(ObjectKind kind) {
    Counters()[static_cast<std::size_t>(kind)].fetch_add(1, std::memory_order_relaxed);
}

void ObjectCount::Remove(ObjectKind kind) {
    Counters()[static_cast<std::size_t>(kind)].fetch_sub(1, std::memory_order_relaxed);
}

std::int64_t ObjectCount::Live(ObjectKind kind) {
    return Counters()[static_cast<std::size_t>(kind)].load(std::memory_order_relaxed);
}

} // namespace kelvo::gdi
