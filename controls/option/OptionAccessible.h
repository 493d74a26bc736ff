#pragma once

#include <QAccessibleWidget>

namespace kelvo::controls {

class sknOption;

// What assistive technology sees of an option button or check box: its role, whether it is checked,
// and its name, which the form sets to the caption of the label beside it.
class OptionAccessible : public QAccessibleWidget {
public:
    explicit OptionAccessible(sknOption* option);

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;

    // Makes Qt's accessibility ask this class for every option and check box (once per process: Qt
    // keeps a list of factory functions, not objects).
    static void Install();

private:
    sknOption* Option() const;
};

} // namespace kelvo::controls
