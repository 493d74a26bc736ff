#pragma once

#include <cstdint>

#include <QWidget>

#include "AmbientValues.h"
#include "ClickTracker.h"
#include "HostedObject.h"

namespace kelvo::host {

class HostContext;

// What labels and picture boxes share: a place and size in pixels of their container, visibility, an
// enabled state, a tool tip, and the mouse events they raise (Button 1 left, 2 right, 4 middle; Shift
// 1 Shift, 2 Ctrl, 4 Alt; X and Y in pixels of the control itself), as signals with reference arguments.
// Clicks come after the release of a button pressed over the control, when it is still over it.
class ConstituentControl : public QWidget, public HostedObject {
    Q_OBJECT

public:
    ConstituentControl(HostContext& host, QWidget* parent);

    HostContext& Host() const { return host_; }
    void SetAmbient(const AmbientValues& ambient) override { ambient_ = ambient; }
    const AmbientValues& Ambient() const { return ambient_; }
    QObject* Object() override { return this; }
    QWidget* Widget() override { return this; }
    void Unload() override {}

    std::int32_t Left() const { return x(); }
    std::int32_t Top() const { return y(); }
    std::int32_t Width() const { return width(); }
    std::int32_t Height() const { return height(); }
    // Positions may be fractions (a control centring a child); they round to whole pixels, halves to
    // even. Sizes are cut to 0..MaxSide.
    void SetLeft(double left);
    void SetTop(double top);
    void SetWidth(std::int32_t width);
    void SetHeight(std::int32_t height);
    void Move(double left, double top, std::int32_t width, std::int32_t height);
    static constexpr int MaxSide = 4096;

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    const QString& ToolTipText() const { return toolTip_; }
    void SetToolTipText(const QString& text);

signals:
    void Click();
    void DblClick();
    void MouseDown(std::int16_t& button, std::int16_t& shift, float& x, float& y);
    void MouseMove(std::int16_t& button, std::int16_t& shift, float& x, float& y);
    void MouseUp(std::int16_t& button, std::int16_t& shift, float& x, float& y);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    HostContext& host_;
    AmbientValues ambient_;
    bool visible_ = true;
    bool enabled_ = true;
    QString toolTip_;
    ClickTracker clicks_;
};

} // namespace kelvo::host
