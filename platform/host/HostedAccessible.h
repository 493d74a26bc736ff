#pragma once

#include <QAccessibleWidget>

namespace kelvo::host {

class Label;

// What assistive technology sees of a hosted widget unless the widget says more: the role it is given,
// the caption labels that name it (a label tied with Label::SetLabelFor), and its name: the accessible
// name set on it, else the first of those labels, else OwnName. Controls derive their own interfaces
// from it.
class HostedAccessible : public QAccessibleWidget {
public:
    HostedAccessible(QWidget* widget, QAccessible::Role role);

    QString text(QAccessible::Text t) const override;
    // The name when neither an accessible name nor a caption label gives one: a control's own caption.
    virtual QString OwnName() const { return QAccessibleWidget::text(QAccessible::Name); }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match = QAccessible::AllRelations) const override;

    // The caption as read aloud: "&&" is a literal ampersand, a single '&' only marks the access key.
    static QString WithoutAccessMark(const QString& caption);
    // The labels on the widget's container that name it, in the container's order.
    static QList<Label*> LabelsOf(const QWidget* widget);
    // Tells listeners that these states of the object changed (nothing while no one listens).
    static void AnnounceState(QObject* object, QAccessible::State changed);
    // Tells listeners that the object's name changed.
    static void AnnounceName(QObject* object);
    // Makes Qt's accessibility ask every hosted widget for its own interface, and see each form as a
    // window. Qt keeps one list of factory functions for the whole process, so this adds ours once.
    static void Install();
};

} // namespace kelvo::host
