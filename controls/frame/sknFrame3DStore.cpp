// The 3-D frame's persistence: its property table, and the three routines that trap and log the errors of
// a load or a save.
#include <array>
#include <span>
#include <utility>

#include "FrameProperties.h"
#include "sknFrame3D.h"

#include "platform/host/HostContext.h"
#include "platform/host/PropertyBag.h"

namespace kelvo::controls {

namespace {

using Table = host::PropertyTable<sknFrame3D>;

const QString InvalidValue = QStringLiteral("Invalid property value");

template <typename T> Table::Check<T> InRange(T low, T high) {
    return [low, high](const T& value) { return value >= low && value <= high ? QString() : InvalidValue; };
}

} // namespace

// The keys in the order they are read, each applied as it is read, so later keys see earlier ones
// (FloodColor's default is the fill colour as the surface has it then). Reading stores each value quietly
// (no notification, no painting): the Resize that follows a load paints once. Every key is written whatever
// its value, in an order of its own; the label values come from lblCaption. BackStyle has no key: the
// surface's own initial back style applies after every load.
const host::PropertyTable<sknFrame3D>& sknFrame3D::Properties() {
    using F = sknFrame3D;
    constexpr host::PropertyFlags Always{.writeAlways = true};
    // Set announces the change, then draws the whole frame again.
    constexpr host::PropertyFlags Redrawn{
        .writeAlways = true, .effects = host::effect::Repaint, .announceFirst = true};
    // What a frame placed new starts with (InitProperties); its other fields start at 0.
    constexpr host::PropertyFlags New{.writeAlways = true, .setOnInit = true};
    constexpr host::PropertyFlags NewRedrawn{
        .writeAlways = true, .setOnInit = true, .effects = host::effect::Repaint, .announceFirst = true};
    // A field of the frame's own, kept as it is read.
    const auto get = [](auto member) { return [member](const F& f) { return f.*member; }; };
    const auto set = [](auto member) { return [member](F& f, const auto& value) { f.*member = value; }; };
    // A value kept by the surface or the caption label, whose default is what it holds now.
    const auto now = [](auto getter) { return [getter](const F& f) { return getter(f); }; };
    const auto font = [](auto change) {
        return [change](F& f, const auto& value) {
            host::FontObject changed = f.lblCaption->Font();
            change(changed, value);
            f.lblCaption->SetFont(changed);
        };
    };
    const auto fixedColour = [](std::uint32_t value) { return gdi::Colour(value); };
    const auto fillColor = [](const F& f) { return f.Surface().FillColor(); };
    const auto fillStyle = [](const F& f) { return f.Surface().FillStyle(); };
    const auto drawStyle = [](const F& f) { return f.Surface().DrawStyle(); };
    const auto mousePointer = [](const F& f) { return f.Surface().MousePointer(); };
    const auto mouseIcon = [](const F& f) { return f.Surface().MouseIcon(); };
    const auto picture = [](const F& f) { return f.Surface().Picture(); };
    const auto alignment = [](const F& f) { return f.lblCaption->Alignment(); };
    const auto captionFont = [](const F& f) { return f.lblCaption->Font(); };
    const auto bold = [](const F& f) { return f.Font().Bold(); };
    const auto italic = [](const F& f) { return f.Font().Italic(); };
    const auto name = [](const F& f) { return f.Font().Name(); };
    const auto size = [](const F& f) { return f.Font().Size(); };
    const auto strikethrough = [](const F& f) { return f.Font().Strikethrough(); };
    const auto underline = [](const F& f) { return f.Font().Underline(); };
    const auto foreColor = [](const F& f) { return f.lblCaption->ForeColor(); };
    const auto caption = [](const F& f) { return f.lblCaption->Caption(); };
    const auto useMnemonic = [](const F& f) { return f.lblCaption->UseMnemonic(); };
    static const Table table =
        Table()
            .Add<std::int32_t>(QStringLiteral("BorderType"), 1, get(&F::borderType_), set(&F::borderType_),
                               NewRedrawn)
            .Add<std::int32_t>(QStringLiteral("BevelWidth"), 3, get(&F::bevelWidth_), set(&F::bevelWidth_),
                               New)
            .Add<std::int32_t>(QStringLiteral("BevelInner"), 0, get(&F::bevelInner_), set(&F::bevelInner_),
                               Always)
            .Add<std::int32_t>(QStringLiteral("Caption3D"), 0, get(&F::caption3D_), set(&F::caption3D_),
                               Redrawn)
            .Add<std::int32_t>(QStringLiteral("CaptionAlignment"), 0, get(&F::captionAlignment_),
                               set(&F::captionAlignment_), Redrawn)
            .Add<std::int32_t>(QStringLiteral("CaptionLocation"), 0, get(&F::captionLocation_),
                               set(&F::captionLocation_), NewRedrawn)
            .Add<gdi::Colour>(
                QStringLiteral("BackColor"), [](const F& f) { return f.Ambient().backColor; },
                get(&F::backColor_), set(&F::backColor_), NewRedrawn)
            .Add<gdi::Colour>(
                QStringLiteral("Border3DHighlight"), fixedColour(0x80000014u), get(&F::highlight_),
                [](F& f, gdi::Colour value) {
                    f.highlight_ = value;
                    f.lblCaptionShadow->SetForeColor(value);
                },
                NewRedrawn)
            .Add<gdi::Colour>(QStringLiteral("Border3DShadow"), fixedColour(0x80000010u), get(&F::shadow_),
                              set(&F::shadow_), NewRedrawn)
            .Add<bool>(QStringLiteral("Enabled"), true, get(&F::enabled_), set(&F::enabled_), NewRedrawn)
            // The key holds the radius.
            .Add<std::int32_t>(QStringLiteral("CornerDiameter"), 7, get(&F::cornerRadius_),
                               set(&F::cornerRadius_), NewRedrawn)
            .Add<std::int32_t>(QStringLiteral("FloodPercent"), 0, get(&F::floodPercent_),
                               set(&F::floodPercent_), New)
            .Add<bool>(QStringLiteral("FloodShowPct"), false, get(&F::floodShowPct_), set(&F::floodShowPct_),
                       New)
            .Add<std::int32_t>(QStringLiteral("FloodType"), 0, get(&F::floodType_), set(&F::floodType_),
                               NewRedrawn)
            .Add<gdi::Colour>(QStringLiteral("FloodColor"), now(fillColor), get(&F::floodColor_),
                              set(&F::floodColor_), New)
            .Add<std::int32_t>(QStringLiteral("FillGradient"), 0, get(&F::fillGradient_),
                               set(&F::fillGradient_), Redrawn)
            .Add<gdi::Colour>(
                QStringLiteral("FillColor"), now(fillColor), fillColor,
                [](F& f, gdi::Colour c) { f.Surface().SetFillColor(c); }, Redrawn)
            .Add<std::int16_t>(
                QStringLiteral("FillStyle"), now(fillStyle), fillStyle,
                [](F& f, std::int16_t v) { f.Surface().SetFillStyle(v); }, Always,
                InRange<std::int16_t>(0, 7))
            .Add<std::int16_t>(
                QStringLiteral("DrawStyle"), now(drawStyle), drawStyle,
                [](F& f, std::int16_t v) { f.Surface().SetDrawStyle(v); }, Always,
                InRange<std::int16_t>(0, 6))
            .Add<std::int16_t>(
                QStringLiteral("MousePointer"), now(mousePointer), mousePointer,
                [](F& f, std::int16_t v) { f.Surface().SetMousePointer(v); }, Always)
            .Add<host::PictureObject>(
                QStringLiteral("MouseIcon"), now(mouseIcon), mouseIcon,
                [](F& f, const host::PictureObject& v) { f.Surface().SetMouseIcon(v); }, Always)
            .Add<host::PictureObject>(
                QStringLiteral("Picture"), now(picture), picture,
                [](F& f, const host::PictureObject& v) { f.Surface().SetPicture(v); }, Always)
            .Add<std::int16_t>(
                QStringLiteral("CaptionMAlignment"), now(alignment), alignment,
                [](F& f, std::int16_t v) { f.lblCaption->SetAlignment(v); }, Always,
                InRange<std::int16_t>(0, 2))
            .Add<host::FontObject>(
                QStringLiteral("Font"), now(captionFont), captionFont,
                [](F& f, const host::FontObject& v) { f.lblCaption->SetFont(v); }, Always)
            .Add<bool>(QStringLiteral("FontBold"), now(bold), bold,
                       font([](host::FontObject& f, bool v) { f.SetBold(v); }), Always)
            .Add<bool>(QStringLiteral("FontItalic"), now(italic), italic,
                       font([](host::FontObject& f, bool v) { f.SetItalic(v); }), Always)
            .Add<QString>(QStringLiteral("FontName"), now(name), name,
                          font([](host::FontObject& f, const QString& v) { f.SetName(v); }), Always)
            .Add<float>(
                QStringLiteral("FontSize"), now(size), size,
                font([](host::FontObject& f, float v) { f.SetSize(v); }), Always,
                [](const float& v) { return host::FontObject::IsValidSize(v) ? QString() : InvalidValue; })
            .Add<bool>(QStringLiteral("FontStrikethru"), now(strikethrough), strikethrough,
                       font([](host::FontObject& f, bool v) { f.SetStrikethrough(v); }), Always)
            .Add<bool>(QStringLiteral("FontUnderline"), now(underline), underline,
                       font([](host::FontObject& f, bool v) { f.SetUnderline(v); }), Always)
            .Add<gdi::Colour>(
                QStringLiteral("ForeColor"), now(foreColor), foreColor,
                [](F& f, gdi::Colour c) { f.lblCaption->SetForeColor(c); }, Always)
            .Add<QString>(
                QStringLiteral("Caption"), now(caption), caption,
                [](F& f, const QString& text) { f.lblCaption->SetCaption(text); }, Always)
            .Add<bool>(
                QStringLiteral("UseMnemonic"), now(useMnemonic), useMnemonic,
                [](F& f, bool v) { f.lblCaption->SetUseMnemonic(v); }, Always)
            .WrittenInOrder({"BorderType",       "BevelWidth",      "BevelInner",        "Caption3D",
                             "CaptionAlignment", "CaptionLocation", "BackColor",         "CornerDiameter",
                             "FillColor",        "FillStyle",       "DrawStyle",         "FloodPercent",
                             "FloodShowPct",     "FloodType",       "FloodColor",        "FillGradient",
                             "MousePointer",     "MouseIcon",       "Picture",           "Border3DHighlight",
                             "Border3DShadow",   "Enabled",         "CaptionMAlignment", "Font",
                             "FontBold",         "FontItalic",      "FontName",          "FontSize",
                             "FontStrikethru",   "FontUnderline",   "ForeColor",         "Caption",
                             "UseMnemonic"});
    return table;
}

void sknFrame3D::UserControl_InitProperties() {
    Properties().InitProperties(*this);
    // A new frame's caption takes "&" as it is, whatever the label started with.
    lblCaption->SetUseMnemonic(false);
    lblCaptionShadow->SetUseMnemonic(false);
}

void sknFrame3D::UserControl_ReadProperties(host::PropertyBag& bag) {
    const qsizetype before = bag.Errors().size();
    Properties().ReadProperties(*this, bag);
    LogStoreErrors(bag, before, "UserControl_ReadProperties");
    if (floodShowPct_) {
        // The percentage takes the caption's place on screen.
        SetLabelsText(QString::number(floodPercent_) + QLatin1Char('%'));
    }
    lblCaptionShadow->SetAlignment(lblCaption->Alignment());
    lblCaptionShadow->SetFont(lblCaption->Font());
    lblCaptionShadow->SetCaption(lblCaption->Caption());
    lblCaptionShadow->SetUseMnemonic(lblCaption->UseMnemonic());
}

void sknFrame3D::UserControl_WriteProperties(host::PropertyBag& bag) {
    const qsizetype before = bag.Errors().size();
    Properties().WriteProperties(*this, bag);
    LogStoreErrors(bag, before, "UserControl_WriteProperties");
}

void sknFrame3D::LogStoreErrors(const host::PropertyBag& bag, qsizetype from, const char* procedure) {
    // A stored value the key's type cannot take is a type mismatch (13); a value the property refuses is
    // an invalid property value (380). The description names the key, so the user knows which one.
    const QList<host::PropertyError>& errors = bag.Errors();
    for (qsizetype i = from; i < errors.size(); ++i) {
        const host::PropertyError& error = errors[i];
        const bool refused =
            error.message == InvalidValue || error.message == QStringLiteral("not a colour reference");
        LogError(true,
                 FrameError{QString::fromLatin1(procedure), refused ? 380 : 13,
                            QStringLiteral("%1 (%2)").arg(
                                refused ? InvalidValue : QStringLiteral("Type mismatch"), error.ToString())});
    }
}

} // namespace kelvo::controls
