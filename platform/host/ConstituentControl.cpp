#include "ConstituentControl.h"

#include <algorithm>
#include <cmath>

#include "HostContext.h"
#include "platform/numeric/Numeric.h"

namespace kelvo::host {

namespace {

int Position(double value, int fallback) {
    // Positions far outside any screen are cut before converting, so no value reaches an overflow.
    if (!std::isfinite(value)) {
        return fallback;
    }
    return numeric::CLng(std::clamp(value, -1e6, 1e6)).value_or(fallback);
}

} // namespace

ConstituentControl::ConstituentControl(HostContext& host, QWidget* parent)
    : HostedWidget(host, parent) {}

void ConstituentControl::SetTopPixels(double top) {
    move(x(), Position(top, y()));
}

void ConstituentControl::MovePixels(double left, double top, std::int32_t width, std::int32_t height) {
    move(Position(left, x()), Position(top, y()));
    resize(std::clamp(width, 0, HostContext::MaxSide), std::clamp(height, 0, HostContext::MaxSide));
}

bool ConstituentControl::Visible() const {
    // A new child is hidden until its container is shown, without being hidden itself.
    return !isHidden() || !testAttribute(Qt::WA_WState_ExplicitShowHide);
}

} // namespace kelvo::host
