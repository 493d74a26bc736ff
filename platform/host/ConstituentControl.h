#pragma once

#include <cstdint>

#include "HostedWidget.h"

namespace kelvo::host {

// What labels and picture boxes share beyond the input of HostedWidget: a place in pixels of their
// container, visibility, an enabled state and a tool tip. Sizes and places are those of the widget
// itself (x(), y(), width(), height()), all in pixels; the setters here take the fractions a control
// computes when it centres a child and round them to whole pixels (halves to even). Visibility and the
// enabled state are the widget's own: there is no other copy to fall out of step with.
class ConstituentControl : public HostedWidget {
    Q_OBJECT

public:
    ConstituentControl(HostContext& host, QWidget* parent);

    void Unload() override {}

    void SetTopPixels(double top);
    void MovePixels(double left, double top, std::int32_t width, std::int32_t height);

    // Whether the widget is shown with its container (it was not hidden itself).
    bool Visible() const;
    // The widget's own enabled state, whatever its container's is.
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    QString ToolTipText() const { return toolTip(); }
    void SetToolTipText(const QString& text) { setToolTip(text); }
};

} // namespace kelvo::host
