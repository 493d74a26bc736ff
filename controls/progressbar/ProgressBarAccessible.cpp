#include "controls/progressbar/ProgressBarAccessible.h"

#include "controls/progressbar/sknProgressBar.h"

namespace kelvo::controls {

ProgressBarAccessible::ProgressBarAccessible(sknProgressBar* bar)
    : host::HostedAccessible(bar, QAccessible::ProgressBar) {}

sknProgressBar* ProgressBarAccessible::Bar() const {
    return static_cast<sknProgressBar*>(widget());
}

void* ProgressBarAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface) {
        return static_cast<QAccessibleValueInterface*>(this);
    }
    return HostedAccessible::interface_cast(type);
}

QString ProgressBarAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) {
        return Bar()->PercentText();
    }
    return HostedAccessible::text(t);
}

QAccessible::State ProgressBarAccessible::state() const {
    QAccessible::State state = HostedAccessible::state();
    state.readOnly = true;
    state.focusable = false;
    return state;
}

QVariant ProgressBarAccessible::currentValue() const {
    return Bar()->Value();
}

QVariant ProgressBarAccessible::maximumValue() const {
    return Bar()->Max();
}

QVariant ProgressBarAccessible::minimumValue() const {
    return Bar()->Min();
}

} // namespace kelvo::controls
