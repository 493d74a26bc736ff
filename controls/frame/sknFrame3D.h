#pragma once

#include <cstdint>
#include <optional>

#include "ErrorLog.h"
#include "FrameLook.h"
#include "platform/host/Label.h"
#include "platform/host/PropertyTable.h"
#include "platform/host/UserControl.h"

namespace kelvo::controls {

// A 3-D frame: a bordered, optionally rounded and gradient-filled panel with a caption and a flood bar.
// The caption is shown by three labels on the surface: lblCaptionBlank (opaque, in the back colour, empty)
// blanks the border line behind a caption that straddles it, lblCaptionShadow (the same text in the
// highlight colour) gives the 3-D caption styles their offset copy, and lblCaption on top of both carries
// the text itself and keeps the caption's font, colour, alignment and mnemonic flag.
//
// Setters notify the host by name and then repaint (the whole pass), draw the flood only, or do nothing
// more; CornerRadius is notified and stored as "CornerDiameter". Errors of painting and of loading or
// saving are written to the error log (loading and saving also show a message) and the routine goes on;
// a frame made without a log drops them.
class sknFrame3D : public host::UserControl {
    Q_OBJECT

public:
    sknFrame3D(host::HostContext& host, ErrorLog* log, QWidget* parent = nullptr);

    gdi::Colour BackColor() const { return backColor_; }
    void SetBackColor(gdi::Colour colour);
    std::int16_t BackStyle() const { return Surface().BackStyle(); }
    void SetBackStyle(std::int16_t style);
    std::int32_t BevelWidth() const { return bevelWidth_; }
    // Values below MinimumBevelWidth become it.
    void SetBevelWidth(std::int32_t width);
    gdi::Colour Border3DHighlight() const { return highlight_; }
    void SetBorder3DHighlight(gdi::Colour colour);
    gdi::Colour Border3DShadow() const { return shadow_; }
    void SetBorder3DShadow(gdi::Colour colour);
    std::int32_t BorderType() const { return borderType_; }
    void SetBorderType(std::int32_t type);
    QString Caption() const { return lblCaption->Caption(); }
    void SetCaption(const QString& caption);
    std::int32_t Caption3D() const { return caption3D_; }
    void SetCaption3D(std::int32_t style);
    std::int32_t CaptionAlignment() const { return captionAlignment_; }
    void SetCaptionAlignment(std::int32_t alignment);
    std::int32_t CaptionLocation() const { return captionLocation_; }
    void SetCaptionLocation(std::int32_t location);
    std::int32_t CaptionMAlignment() const { return lblCaption->Alignment(); }
    void SetCaptionMAlignment(std::int32_t alignment);
    std::int32_t CornerRadius() const { return cornerRadius_; }
    void SetCornerRadius(std::int32_t radius);
    std::int32_t DrawStyle() const { return Surface().DrawStyle(); }
    void SetDrawStyle(std::int32_t style);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    gdi::Colour FillColor() const { return Surface().FillColor(); }
    void SetFillColor(gdi::Colour colour);
    std::int32_t FillGradient() const { return fillGradient_; }
    void SetFillGradient(std::int32_t gradient);
    std::int32_t FillStyle() const { return Surface().FillStyle(); }
    void SetFillStyle(std::int32_t style);
    gdi::Colour FloodColor() const { return floodColor_; }
    void SetFloodColor(gdi::Colour colour);
    std::int32_t FloodPercent() const { return floodPercent_; }
    // Clamped to 0..100. A higher value only draws the bar further; any other redraws the whole frame
    // after the bar, as only a full pass takes the old bar away.
    void SetFloodPercent(std::int32_t percent);
    bool FloodShowPct() const { return floodShowPct_; }
    void SetFloodShowPct(bool show);
    std::int32_t FloodType() const { return floodType_; }
    void SetFloodType(std::int32_t type);
    const host::FontObject& Font() const { return lblCaption->Font(); }
    void SetFont(const host::FontObject& font);
    bool FontBold() const { return Font().Bold(); }
    void SetFontBold(bool bold);
    bool FontItalic() const { return Font().Italic(); }
    void SetFontItalic(bool italic);
    QString FontName() const { return Font().Name(); }
    void SetFontName(const QString& name);
    // The point size rounded to a whole number (halves to even).
    std::int32_t FontSize() const;
    void SetFontSize(std::int32_t size);
    bool FontUnderline() const { return Font().Underline(); }
    void SetFontUnderline(bool underline);
    gdi::Colour ForeColor() const { return lblCaption->ForeColor(); }
    void SetForeColor(gdi::Colour colour);
    const host::PictureObject& MouseIcon() const { return Surface().MouseIcon(); }
    void SetMouseIcon(const host::PictureObject& icon);
    std::int16_t MousePointer() const { return Surface().MousePointer(); }
    void SetMousePointer(std::int32_t pointer);
    const host::PictureObject& Picture() const { return Surface().Picture(); }
    void SetPicture(const host::PictureObject& picture);
    bool UseMnemonic() const { return lblCaption->UseMnemonic(); }
    void SetUseMnemonic(bool useMnemonic);

    // The inside rectangle the last pass left, in twips; 0 before the first paint.
    std::int32_t InsideLeft() const { return state_.inside.leftTwips; }
    std::int32_t InsideTop() const { return state_.inside.topTwips; }
    std::int32_t InsideWidth() const { return state_.inside.widthTwips; }
    std::int32_t InsideHeight() const { return state_.inside.heightTwips; }

    // Paints the gradient fill over what is there; errors are ignored.
    void DrawGradiant();

    // What painting reads, taken from the fields, the surface and the caption label.
    FrameLook Look() const;
    // The region the last pass gave the window, if any.
    const std::optional<FrameRegion>& Region() const { return region_; }

    host::Label* lblCaptionBlank = nullptr;
    host::Label* lblCaptionShadow = nullptr;
    host::Label* lblCaption = nullptr;

    static constexpr const char* ModuleName = "Frame3D";
    // The stored keys: read in the table's order, written in an order of their own.
    static const host::PropertyTable<sknFrame3D>& Properties();

protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(host::PropertyBag& bag) override;
    void UserControl_WriteProperties(host::PropertyBag& bag) override;
    void UserControl_Resize() override;
    void UserControl_AccessKeyPress(std::int16_t keyAscii) override;

private:
    void ForwardEvents(host::Label* label);
    // The same change of font on both labels.
    template <typename Change> void ChangeFont(Change change);
    // Both labels' text: the percentage or the empty text.
    void SetLabelsText(const QString& text);
    void Notify(const char* name) { PropertyChanged(QString::fromLatin1(name)); }
    void Repaint() { UserControl_Resize(); }
    friend class host::PropertyTable<sknFrame3D>;
    // A change through the property table draws the whole frame again.
    void ApplyEffects(unsigned effects) {
        if ((effects & host::effect::Repaint) != 0) {
            Repaint();
        }
    }
    void DrawFlood();
    QSize MeasureCaption(const QString& text) const;
    void Apply(const FramePaintResult& result, bool placeLabels);
    void LogError(bool showMessage, const FrameError& error);
    // Logs the errors a load or save left in the bag after its first `from` errors.
    void LogStoreErrors(const host::PropertyBag& bag, qsizetype from, const char* procedure);

    ErrorLog* log_ = nullptr;
    std::int32_t borderType_ = 0;
    std::int32_t bevelInner_ = 0;
    std::int32_t caption3D_ = 0;
    std::int32_t captionAlignment_ = 0;
    std::int32_t captionLocation_ = 0;
    std::int32_t floodType_ = 0;
    std::int32_t fillGradient_ = 0;
    std::int32_t bevelWidth_ = 0;
    gdi::Colour highlight_{0u};
    gdi::Colour shadow_{0u};
    gdi::Colour backColor_{0u};
    bool enabled_ = false;
    std::int32_t floodPercent_ = 0;
    bool floodShowPct_ = false;
    gdi::Colour floodColor_{0u};
    std::int32_t cornerRadius_ = 0;
    FrameState state_;
    std::optional<FrameRegion> region_;
};

} // namespace kelvo::controls
