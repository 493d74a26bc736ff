#pragma once

#include <QStringList>

#include "platform/host/PropertyBag.h"

namespace kelvo::test {

// The keys a bag holds, in the order they were written: what a stored form lists.
inline QStringList BagKeys(const host::PropertyBag& bag) {
    QStringList keys;
    for (const host::PropertyBag::Entry& entry : bag.Entries()) {
        keys << entry.key;
    }
    return keys;
}

} // namespace kelvo::test
