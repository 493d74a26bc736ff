#include "controls/progressbar/ProgressBarAccessible.h"

#include "controls/progressbar/sknProgressBar.h"

namespace kelvo::controls {

namespace {

QAccessibleInterface* CreateProgressBarAccessible(const QString& className, QObject* object) {
    Q_UNUSED(className);
    auto* bar = qobject_cast<sknProgressBar*>(object);
    return bar != nullptr ? new ProgressBarAccessible(bar) : nullptr;
}

} // namespace

ProgressBarAccessible::ProgressBarAccessible(sknProgressBar* bar)
    : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

sknProgressBar* ProgressBarAccessible::Bar() const {
    return static_cast<sknProgressBar*>(widget());
}

void* ProgressBarAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface) {
        return static_cast<QAccessibleValueInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QString ProgressBarAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) {
        return Bar()->PercentText();
    }
    return QAccessibleWidget::text(t);
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

void ProgressBarAccessible::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(CreateProgressBarAccessible);
        return true;
    }();
    static_cast<void>(installed);
}

} // namespace kelvo::controls
