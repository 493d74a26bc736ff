#pragma once

#include <QStringList>

#include "controls/frame/ErrorLog.h"

// What the frame's error log tests share: a message box that records, and the origin a record names.
namespace kelvo::tests {

class RecordingMessages final : public host::MessageBoxService {
public:
    QStringList texts;
    QStringList titles;
    void ShowCritical(const QString& text, const QString& title) override {
        texts << text;
        titles << title;
    }
};

inline controls::ErrorLogOrigin Origin() {
    controls::ErrorLogOrigin origin;
    origin.app = {"Kelvo", 2, 0, 26};
    origin.userName = "ann";
    origin.computerName = "desk";
    return origin;
}

} // namespace kelvo::tests
