#include "controls/button/ButtonAccessible.h"

#include "controls/button/sknButton.h"

namespace kelvo::controls {

ButtonAccessible::ButtonAccessible(sknButton* button)
    : host::HostedAccessible(button, QAccessible::Button) {}

sknButton* ButtonAccessible::Button() const {
    return static_cast<sknButton*>(widget());
}

QAccessible::State ButtonAccessible::state() const {
    QAccessible::State state = HostedAccessible::state();
    state.focusable = Button()->isEnabled();
    if (Button()->CheckBoxBehaviour()) {
        state.checkable = true;
        state.checked = Button()->Value();
    }
    state.pressed = Button()->LastState() == button::StateDown;
    return state;
}

QString ButtonAccessible::OwnName() const {
    return WithoutAccessMark(Button()->Caption());
}

QStringList ButtonAccessible::actionNames() const {
    return {QAccessibleActionInterface::pressAction()};
}

void ButtonAccessible::doAction(const QString& actionName) {
    if (actionName == QAccessibleActionInterface::pressAction() && Button()->isEnabled()) {
        Button()->PressFromOutside();
    }
}

void ButtonAccessible::PressedChanged(sknButton* button) {
    QAccessible::State changed;
    changed.pressed = true;
    AnnounceState(button, changed);
}

} // namespace kelvo::controls
