#pragma once

#include "sknOption.h"

namespace kelvo::controls {

// A check box drawn with pictures: like the option button, but a click toggles it.
class sknCheck : public sknOption {
    Q_OBJECT

public:
    explicit sknCheck(host::HostContext& host, QWidget* parent = nullptr);

protected:
    bool ClickedValue() const override { return !Value(); }
};

} // namespace kelvo::controls
