#pragma once

#include "platform/host/HostedAccessible.h"

namespace kelvo::controls {

class sknProgressBar;

// What assistive technology sees of the progress bar: a progress bar whose value, minimum and maximum
// are the control's, and whose value text is the percentage the bar shows. It is read-only: it takes
// no focus and refuses every value it is given.
class ProgressBarAccessible : public host::HostedAccessible, public QAccessibleValueInterface {
public:
    explicit ProgressBarAccessible(sknProgressBar* bar);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;

    QVariant currentValue() const override;
    // The bar is only shown, never set by the user.
    void setCurrentValue(const QVariant& value) override { static_cast<void>(value); }
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override { return 0; }

private:
    sknProgressBar* Bar() const;
};

} // namespace kelvo::controls
