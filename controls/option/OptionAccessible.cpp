#include "OptionAccessible.h"

#include "sknCheck.h"
#include "sknOption.h"

namespace kelvo::controls {

namespace {

QAccessibleInterface* CreateOptionAccessible(const QString& className, QObject* object) {
    Q_UNUSED(className);
    auto* option = qobject_cast<sknOption*>(object);
    return option != nullptr && option->isWidgetType() ? new OptionAccessible(option) : nullptr;
}

} // namespace

OptionAccessible::OptionAccessible(sknOption* option)
    : QAccessibleWidget(option, qobject_cast<sknCheck*>(option) != nullptr ? QAccessible::CheckBox
                                                                           : QAccessible::RadioButton) {}

sknOption* OptionAccessible::Option() const {
    return static_cast<sknOption*>(widget());
}

QAccessible::State OptionAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = Option()->Value();
    return state;
}

QString OptionAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) {
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? Option()->Caption() : name;
    }
    return QAccessibleWidget::text(t);
}

void OptionAccessible::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(CreateOptionAccessible);
        return true;
    }();
    static_cast<void>(installed);
}

} // namespace kelvo::controls
