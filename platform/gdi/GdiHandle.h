#pragma once

#include <memory>
#include <utility>

#include "platform/gdi/ObjectCount.h"

namespace kelvo::gdi {

// An owning handle to a drawing object: counted while it holds an object, released (DeleteObject or
// destruction) exactly once, movable but not copyable. The object's data is shared with any device
// context it is selected into, so deleting a selected object never leaves the context dangling; the
// object stops counting as alive the moment its owner lets it go.
template <typename Data, ObjectKind Kind> class GdiHandle {
public:
    GdiHandle() = default;
    explicit GdiHandle(std::shared_ptr<Data> data)
        : data_(std::move(data)) {
        if (data_) {
            ObjectCount::Add(Kind);
        }
    }
    GdiHandle(const GdiHandle&) = delete;
    GdiHandle& operator=(const GdiHandle&) = delete;
    GdiHandle(GdiHandle&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)) {}
    GdiHandle& operator=(GdiHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            data_ = std::exchange(other.data_, nullptr);
        }
        return *this;
    }
    ~GdiHandle() { Reset(); }

    bool IsNull() const { return data_ == nullptr; }
    explicit operator bool() const { return data_ != nullptr; }

    Data* Get() const { return data_.get(); }
    const std::shared_ptr<Data>& Shared() const { return data_; }

    // Releases the object; true when there was one.
    bool Reset() {
        if (!data_) {
            return false;
        }
        data_.reset();
        ObjectCount::Remove(Kind);
        return true;
    }

private:
    std::shared_ptr<Data> data_;
};

// DeleteObject for every kind of handle: false for a null handle.
template <typename Data, ObjectKind Kind> bool DeleteObject(GdiHandle<Data, Kind>& object) {
    return object.Reset();
}

} // namespace kelvo::gdi
