#include "OptionAccessible.h"

#include "sknCheck.h"
#include "sknOption.h"

namespace kelvo::controls {

OptionAccessible::OptionAccessible(sknOption* option)
    : host::HostedAccessible(option, qobject_cast<sknCheck*>(option) != nullptr ? QAccessible::CheckBox
                                                                                : QAccessible::RadioButton) {}

sknOption* OptionAccessible::Option() const {
    return static_cast<sknOption*>(widget());
}

QAccessible::State OptionAccessible::state() const {
    QAccessible::State state = HostedAccessible::state();
    state.checkable = true;
    state.checked = Option()->Value();
    return state;
}

QString OptionAccessible::OwnName() const {
    return WithoutAccessMark(Option()->Caption());
}

QAccessibleInterface* OptionAccessible::child(int index) const {
    static_cast<void>(index);
    return nullptr;
}

int OptionAccessible::indexOfChild(const QAccessibleInterface* child) const {
    static_cast<void>(child);
    return -1;
}

QStringList OptionAccessible::actionNames() const {
    QStringList names = HostedAccessible::actionNames();
    if (Option()->isEnabled()) {
        names.prepend(toggleAction());
    }
    return names;
}

void OptionAccessible::doAction(const QString& actionName) {
    if (actionName == toggleAction()) {
        Option()->RaiseClick();
        return;
    }
    HostedAccessible::doAction(actionName);
}

} // namespace kelvo::controls
