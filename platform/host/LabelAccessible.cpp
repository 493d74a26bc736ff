#include "LabelAccessible.h"

#include <QAccessibleActionInterface>

#include "Label.h"

namespace kelvo::host {

LabelAccessible::LabelAccessible(Label* label)
    : HostedAccessible(label, label->ActsAsLink() ? QAccessible::Link : QAccessible::StaticText) {}

Label* LabelAccessible::TheLabel() const {
    return static_cast<Label*>(widget());
}

QAccessible::Role LabelAccessible::role() const {
    return TheLabel()->ActsAsLink() ? QAccessible::Link : QAccessible::StaticText;
}

QString LabelAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
        return TheLabel()->AccessibleText();
    }
    return HostedAccessible::text(t);
}

QAccessible::State LabelAccessible::state() const {
    QAccessible::State state = HostedAccessible::state();
    state.readOnly = !TheLabel()->ActsAsLink();
    state.linked = TheLabel()->ActsAsLink();
    return state;
}

QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
LabelAccessible::relations(QAccessible::Relation match) const {
    auto found = HostedAccessible::relations(match);
    if ((match & QAccessible::Labelled) != 0 && TheLabel()->LabelFor() != nullptr) {
        if (QAccessibleInterface* control = QAccessible::queryAccessibleInterface(TheLabel()->LabelFor())) {
            found.append({control, QAccessible::Labelled});
        }
    }
    return found;
}

QStringList LabelAccessible::actionNames() const {
    if (!TheLabel()->ActsAsLink()) {
        return {};
    }
    return QStringList{pressAction()} + HostedAccessible::actionNames();
}

void LabelAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction() && TheLabel()->ActsAsLink()) {
        TheLabel()->RaiseClick();
        return;
    }
    HostedAccessible::doAction(actionName);
}

} // namespace kelvo::host
