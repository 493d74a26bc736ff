#pragma once

#include "platform/host/HostedAccessible.h"

namespace kelvo::controls {

class sknButton;

// What assistive technology sees of a skinned button: a push button (a check box's checked state when
// it keeps its Value), named by its caption without the access-key mark, pressed while it shows its down
// look, and pressed from outside with the press action as if its access key were used.
class ButtonAccessible : public host::HostedAccessible {
public:
    explicit ButtonAccessible(sknButton* button);

    QAccessible::State state() const override;
    QString OwnName() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    // Tells listeners that the button went down or up.
    static void PressedChanged(sknButton* button);

private:
    sknButton* Button() const;
};

} // namespace kelvo::controls
