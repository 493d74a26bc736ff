#pragma once

#include <cstdint>

#include "Line3DPainter.h"
#include "platform/gdi/Colour.h"
#include "platform/host/PropertyTable.h"
#include "platform/host/UserControl.h"

namespace kelvo::controls {

// A separator with a 3-D look: a shadow and a highlight line (or a single shadow line) along the
// control's longer side. The control forces its thickness to the lines it draws whenever it is resized,
// and keeps its drawing on the retained surface: it never repaints on a paint request.
//
// The names differ on purpose, as stored forms and hosts expect them: LineTypes notifies "LineType";
// the colours notify "Border3DHighlight" and "Border3DShadow" but are stored as "3DHighlight" and
// "3DShadow". Every key is always written, whatever its value.
class sknLine3D : public host::UserControl {
    Q_OBJECT

public:
    QAccessibleInterface* CreateAccessible() override;
    explicit sknLine3D(host::HostContext& host, QWidget* parent = nullptr);

    static constexpr gdi::Colour DefaultHighlight = gdi::Colour::System(20);
    static constexpr gdi::Colour DefaultShadow = gdi::Colour::System(16);

    // 1 sunken (shadow over highlight), 2 raised, anything else a single shadow line.
    std::int32_t LineTypes() const { return lineType_; }
    void SetLineTypes(std::int32_t lineType);
    gdi::Colour Border3DHighlight() const { return highlight_; }
    void SetBorder3DHighlight(gdi::Colour colour);
    gdi::Colour Border3DShadow() const { return shadow_; }
    void SetBorder3DShadow(gdi::Colour colour);
    // The surface's pen style, widened; a write clears the surface before the lines are drawn again.
    std::int32_t DrawStyle() const { return Surface().DrawStyle(); }
    void SetDrawStyle(std::int32_t style);

    Line3DLook Look() const;
    static const host::PropertyTable<sknLine3D>& Properties();

protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(host::PropertyBag& bag) override;
    void UserControl_WriteProperties(host::PropertyBag& bag) override;
    void UserControl_Resize() override;

private:
    friend class host::PropertyTable<sknLine3D>;
    // A change through the property table draws the line again.
    void ApplyEffects(unsigned effects);
    std::int32_t lineType_ = 1;
    gdi::Colour highlight_ = DefaultHighlight;
    gdi::Colour shadow_ = DefaultShadow;
};

} // namespace kelvo::controls
