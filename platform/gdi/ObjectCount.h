#pragma once

#include <array>
#include <atomic>
#include <cstdint>

namespace kelvo::gdi {

enum class ObjectKind { Pen, Brush, Font, Bitmap, Region, DeviceContext };

// How many drawing objects of each kind are alive. Objects are created by free functions shaped like
// the system's (CreatePen, CreateSolidBrush ...) that take no context to charge them to, so the count
// is kept process-wide, here and nowhere else. It is only ever observed (by ObjectCountGuard in the
// tests): drawing never depends on it.
class ObjectCount {
public:
    static constexpr int Kinds = 6;

    static void Add(ObjectKind kind);
    static void Remove(ObjectKind kind);
    static std::int64_t Live(ObjectKind kind);

private:
    static std::array<std::atomic<std::int64_t>, Kinds>& Counters();
};

} // namespace kelvo::gdi
