#include "HostedAccessible.h"

#include "Form.h"
#include "HostedWidget.h"
#include "Label.h"

namespace kelvo::host {

namespace {

QAccessibleInterface* CreateHostedAccessible(const QString& className, QObject* object) {
    Q_UNUSED(className);
    if (auto* hosted = qobject_cast<HostedWidget*>(object)) {
        return hosted->CreateAccessible();
    }
    // A form is the window the user works in: a frame to assistive technology, named by its title.
    if (auto* form = qobject_cast<Form*>(object); form != nullptr && form->isWindow()) {
        return new HostedAccessible(form, QAccessible::Window);
    }
    return nullptr;
}

} // namespace

HostedAccessible::HostedAccessible(QWidget* widget, QAccessible::Role role)
    : QAccessibleWidget(widget, role) {}

QString HostedAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
        const QList<Label*> labels = LabelsOf(widget());
        return labels.isEmpty() ? OwnName() : labels.front()->AccessibleText();
    }
    return QAccessibleWidget::text(t);
}

QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
HostedAccessible::relations(QAccessible::Relation match) const {
    auto found = QAccessibleWidget::relations(match);
    if ((match & QAccessible::Label) != 0) {
        for (Label* label : LabelsOf(widget())) {
            if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(label)) {
                found.append({iface, QAccessible::Label});
            }
        }
    }
    return found;
}

QString HostedAccessible::WithoutAccessMark(const QString& caption) {
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

QList<Label*> HostedAccessible::LabelsOf(const QWidget* widget) {
    QList<Label*> labels;
    const QWidget* container = widget->parentWidget();
    if (container == nullptr) {
        return labels;
    }
    for (QObject* child : container->children()) {
        auto* label = qobject_cast<Label*>(child);
        if (label != nullptr && label->LabelFor() == widget) {
            labels.append(label);
        }
    }
    return labels;
}

void HostedAccessible::AnnounceState(QObject* object, QAccessible::State changed) {
    if (!QAccessible::isActive()) {
        return;
    }
    QAccessibleStateChangeEvent event(object, changed);
    QAccessible::updateAccessibility(&event);
}

void HostedAccessible::AnnounceName(QObject* object) {
    if (!QAccessible::isActive()) {
        return;
    }
    QAccessibleEvent event(object, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void HostedAccessible::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(CreateHostedAccessible);
        return true;
    }();
    static_cast<void>(installed);
}

} // namespace kelvo::host
