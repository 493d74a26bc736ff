#pragma once

#include "HostedAccessible.h"

namespace kelvo::host {

class Label;

// What assistive technology sees of a label: static text named by its caption, so figures and captions
// are read as they are drawn, or a link that opens with the press action. A caption tied to a control is
// its label (and the control is labelled by it).
class LabelAccessible : public HostedAccessible {
public:
    explicit LabelAccessible(Label* label);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match = QAccessible::AllRelations) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    Label* TheLabel() const;
};

} // namespace kelvo::host
