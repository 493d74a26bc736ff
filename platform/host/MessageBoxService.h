#pragma once

#include <QString>

namespace kelvo::host {

// Shows a message to the user: modal, with the critical icon and one OK button. The program shows it
// only for errors a user must know about; tests put a recorder in its place.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual void ShowCritical(const QString& text, const QString& title) = 0;
};

} // namespace kelvo::host
