#pragma once

#include <memory>
#include <variant>

#include "platform/gdi/GdiObjects.h"

namespace kelvo::gdi {

// A non-owning reference to a selectable object: what SelectObject hands back (the object that was
// selected before, to be selected back when the drawing step ends) and what GetStockObject gives.
// It keeps the object's data alive but does not count as owning it. An empty one means failure.
class SelectedObject {
public:
    using Value =
        std::variant<std::monostate, std::shared_ptr<const PenData>, std::shared_ptr<const BrushData>,
                     std::shared_ptr<const FontData>, std::shared_ptr<BitmapData>>;

    SelectedObject() = default;
    explicit SelectedObject(Value value)
        : value_(std::move(value)) {}

    bool IsNull() const { return std::holds_alternative<std::monostate>(value_); }
    explicit operator bool() const { return !IsNull(); }
    const Value& Get() const { return value_; }

private:
    Value value_;
};

// The stock objects WHITE_BRUSH .. NULL_PEN, SYSTEM_FONT and DEFAULT_GUI_FONT; empty for other values.
// Stock objects are never deleted and are not counted.
SelectedObject GetStockObject(int index);

} // namespace kelvo::gdi
