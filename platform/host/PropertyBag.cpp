#include "PropertyBag.h"

namespace kelvo::host {

template <PropertyValueType T> T PropertyBag::Read(const QString& key, const T& defaultValue) {
    lastError_.reset();
    const PropertyValue* stored = Value(key);
    if (stored == nullptr) {
        return defaultValue;
    }
    QString reason;
    if (std::optional<T> value = ConvertValue<T>(*stored, &reason)) {
        return *std::move(value);
    }
    ReportError(key, reason);
    return defaultValue;
}

template <PropertyValueType T>
void PropertyBag::Write(const QString& key, const T& value, const T& defaultValue) {
    lastError_.reset();
    if (value == defaultValue) {
        Remove(key);
        return;
    }
    Set(key, PropertyValue(value));
}

#define KELVO_PROPERTY_TYPE(T)                                                                               \
    template T PropertyBag::Read(const QString&, const T&);                                                  \
    template void PropertyBag::Write(const QString&, const T&, const T&);
KELVO_PROPERTY_TYPE(std::int16_t)
KELVO_PROPERTY_TYPE(std::int32_t)
KELVO_PROPERTY_TYPE(bool)
KELVO_PROPERTY_TYPE(float)
KELVO_PROPERTY_TYPE(QString)
KELVO_PROPERTY_TYPE(gdi::Colour)
KELVO_PROPERTY_TYPE(FontObject)
KELVO_PROPERTY_TYPE(PictureObject)
#undef KELVO_PROPERTY_TYPE

QList<PropertyError> PropertyBag::TakeErrors() {
    lastError_.reset();
    return std::exchange(errors_, {});
}

void PropertyBag::ReportError(const QString& key, const QString& message) {
    lastError_ = PropertyError{key, message};
    errors_.append(*lastError_);
}

qsizetype PropertyBag::Find(const QString& key) const {
    return index_.value(Folded(key), -1);
}

const PropertyValue* PropertyBag::Value(const QString& key) const {
    const qsizetype at = Find(key);
    return at < 0 ? nullptr : &entries_[size_t(at)].value;
}

void PropertyBag::Set(const QString& key, PropertyValue value) {
    const qsizetype at = Find(key);
    if (at >= 0) {
        entries_[size_t(at)] = Entry{key, std::move(value)};
        return;
    }
    index_.insert(Folded(key), qsizetype(entries_.size()));
    entries_.push_back(Entry{key, std::move(value)});
}

bool PropertyBag::Remove(const QString& key) {
    const qsizetype at = Find(key);
    if (at < 0) {
        return false;
    }
    entries_.erase(entries_.begin() + at);
    Reindex();
    return true;
}

void PropertyBag::Reindex() {
    index_.clear();
    for (size_t i = 0; i < entries_.size(); ++i) {
        index_.insert(Folded(entries_[i].key), qsizetype(i));
    }
}

bool operator==(const PropertyBag& a, const PropertyBag& b) {
    if (a.entries_.size() != b.entries_.size()) {
        return false;
    }
    for (const PropertyBag::Entry& entry : a.entries_) {
        const PropertyValue* other = b.Value(entry.key);
        if (other == nullptr || !(*other == entry.value)) {
            return false;
        }
    }
    return true;
}

} // namespace kelvo::host
