#pragma once

#include "platform/host/HostedAccessible.h"

namespace kelvo::controls {

class sknOption;

// What assistive technology sees of an option button or check box: its role, whether it is checked, a
// name from the caption label that names it on the form (or its own caption), and the toggle action,
// which clicks it as the mouse does. Its image and caption inside are parts of it, not children.
class OptionAccessible : public host::HostedAccessible {
public:
    explicit OptionAccessible(sknOption* option);

    QAccessible::State state() const override;
    QString OwnName() const override;
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    sknOption* Option() const;
};

} // namespace kelvo::controls
