#include "controls/button/ButtonAccessible.h"

#include "controls/button/sknButton.h"

namespace kelvo::controls {

namespace {

QAccessibleInterface* CreateButtonAccessible(const QString& className, QObject* object) {
    Q_UNUSED(className);
    auto* button = qobject_cast<sknButton*>(object);
    return button != nullptr && button->isWidgetType() ? new ButtonAccessible(button) : nullptr;
}

} // namespace

ButtonAccessible::ButtonAccessible(sknButton* button)
    : QAccessibleWidget(button, QAccessible::Button) {}

sknButton* ButtonAccessible::Button() const {
    return static_cast<sknButton*>(widget());
}

QAccessible::State ButtonAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.focusable = Button()->isEnabled();
    if (Button()->CheckBoxBehaviour()) {
        state.checkable = true;
        state.checked = Button()->Value();
    }
    state.pressed = Button()->LastState() == button::StateDown;
    return state;
}

QString ButtonAccessible::WithoutAccessMark(const QString& caption) {
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&') {
                text.append(u'&');
                ++i;
            }
            continue;
        }
        text.append(caption[i]);
    }
    return text;
}

QString ButtonAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) {
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? WithoutAccessMark(Button()->Caption()) : name;
    }
    return QAccessibleWidget::text(t);
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
    if (!QAccessible::isActive()) {
        return;
    }
    QAccessible::State changed;
    changed.pressed = true;
    QAccessibleStateChangeEvent event(button, changed);
    QAccessible::updateAccessibility(&event);
}

void ButtonAccessible::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(CreateButtonAccessible);
        return true;
    }();
    static_cast<void>(installed);
}

} // namespace kelvo::controls
