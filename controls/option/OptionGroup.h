#pragma once

#include <cstdint>
#include <vector>

#include <QObject>

namespace kelvo::controls {

class sknOption;

// The keyboard's view of a group of option buttons, as a desktop's own radio groups behave: the group is
// one Tab stop, its selected option (or its first when none is), and the arrow keys move to the next or
// previous option, round the ends, and click it, which selects it exactly as the mouse does. Which
// options are cleared when one is selected stays the form's work. The options are not owned.
class OptionGroup : public QObject {
    Q_OBJECT

public:
    explicit OptionGroup(std::vector<sknOption*> options, QObject* parent = nullptr);

    // The option Tab stops at.
    sknOption* TabStop() const;

private:
    void UpdateTabStop();
    // Moves from option by step (+1 or -1) to the next option that is shown and enabled.
    void Move(const sknOption* from, int step);

    std::vector<sknOption*> options_;
};

} // namespace kelvo::controls
