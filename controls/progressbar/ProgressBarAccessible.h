#pragma once

#include <QAccessibleWidget>

namespace kelvo::controls {

class sknProgressBar;

// What assistive technology sees of the progress bar: a progress bar whose value, minimum and maximum
// are the control's, and whose value text is the percentage the bar shows.
class ProgressBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ProgressBarAccessible(sknProgressBar* bar);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;

    QVariant currentValue() const override;
    // The bar is only shown, never set by the user.
    void setCurrentValue(const QVariant& value) override { static_cast<void>(value); }
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override { return 0; }

    // Makes Qt's accessibility ask this class for every progress bar (once per process).
    static void Install();

private:
    sknProgressBar* Bar() const;
};

} // namespace kelvo::controls
