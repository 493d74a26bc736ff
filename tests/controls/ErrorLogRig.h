#pragma once

#include <QStringList>

#include "controls/frame/ErrorLog.h"
#include "tests/fakes/Fakes.h"

// What the frame's error log tests share: the origin a record names.
namespace kelvo::tests {

inline controls::ErrorLogOrigin Origin() {
    controls::ErrorLogOrigin origin;
    origin.app = {"Kelvo", 2, 0, 26};
    origin.userName = "ann";
    origin.computerName = "desk";
    return origin;
}

} // namespace kelvo::tests
