// The 3-D frame's persistence: the property tables built from the key list, and the three routines
// that trap and log the errors of a load or a save.
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
using frameprops::DefaultFrom;

const QString InvalidValue = QStringLiteral("Invalid property value");

template <typename T> Table::Check<T> InRange(T low, T high) {
    return [low, high](const T& value) { return value >= low && value <= high ? QString() : InvalidValue; };
}

QString Key(std::string_view key) {
    return QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
}

} // namespace

// One entry per key, as the key list describes it. Reading stores each value quietly (no notification,
// no painting): the Resize that follows a load paints once. Every key is written whatever its value.
class FrameTableBuilder {
public:
    static Table Build(std::span<const std::string_view> keys) {
        Table table;
        for (const std::string_view name : keys) {
            table = Add(std::move(table), *frameprops::Find(name));
        }
        return table;
    }

private:
    using F = sknFrame3D;
    static constexpr host::PropertyFlags Always{.writeAlways = true};

    static Table Long(Table table, const frameprops::Key& key, std::int32_t F::*field) {
        const auto fixed = static_cast<std::int32_t>(key.fixedDefault);
        return std::move(table).Add<std::int32_t>(
            Key(key.key), fixed, [field](const F& f) { return f.*field; },
            [field](F& f, std::int32_t value) { f.*field = value; }, Always);
    }

    static Table Colour(Table table, const frameprops::Key& key, gdi::Colour F::*field) {
        Table::Default<gdi::Colour> fallback(gdi::Colour(static_cast<std::uint32_t>(key.fixedDefault)));
        if (key.defaultFrom == DefaultFrom::FormBackColor) {
            fallback = Table::Default<gdi::Colour>([](const F& f) { return f.Ambient().backColor; });
        } else if (key.defaultFrom == DefaultFrom::SurfaceFillColor) {
            fallback = Table::Default<gdi::Colour>([](const F& f) { return f.Surface().FillColor(); });
        }
        return std::move(table).Add<gdi::Colour>(
            Key(key.key), fallback, [field](const F& f) { return f.*field; },
            [field](F& f, gdi::Colour value) {
                f.*field = value;
                if (field == &F::highlight_) {
                    f.lblCaptionShadow->SetForeColor(value);
                }
            },
            Always);
    }

    template <typename T, typename Get, typename Set>
    static Table Label(Table table, const frameprops::Key& key, Get get, Set set,
                       Table::Check<T> check = {}) {
        return std::move(table).Add<T>(
            Key(key.key), [get](const F& f) { return get(f); }, [get](const F& f) { return get(f); },
            [set](F& f, const T& value) { set(f, value); }, Always, std::move(check));
    }

    template <typename Change> static auto FontChange(Change change) {
        return [change](F& f, const auto& value) {
            host::FontObject font = f.lblCaption->Font();
            change(font, value);
            f.lblCaption->SetFont(font);
        };
    }

    static Table Add(Table table, const frameprops::Key& key) {
        const std::string_view p = key.property;
        // The frame's own Long and colour fields, kept as they are read.
        const std::array<std::pair<std::string_view, std::int32_t F::*>, 10> longs{{
            {"BorderType", &F::borderType_},
            {"BevelWidth", &F::bevelWidth_},
            {"BevelInner", &F::bevelInner_},
            {"Caption3D", &F::caption3D_},
            {"CaptionAlignment", &F::captionAlignment_},
            {"CaptionLocation", &F::captionLocation_},
            {"CornerRadius", &F::cornerRadius_},
            {"FloodPercent", &F::floodPercent_},
            {"FloodType", &F::floodType_},
            {"FillGradient", &F::fillGradient_},
        }};
        for (const auto& [name, field] : longs) {
            if (p == name) {
                return Long(std::move(table), key, field);
            }
        }
        const std::array<std::pair<std::string_view, gdi::Colour F::*>, 4> colours{{
            {"BackColor", &F::backColor_},
            {"Border3DHighlight", &F::highlight_},
            {"Border3DShadow", &F::shadow_},
            {"FloodColor", &F::floodColor_},
        }};
        for (const auto& [name, field] : colours) {
            if (p == name) {
                return Colour(std::move(table), key, field);
            }
        }
        if (p == "Enabled" || p == "FloodShowPct") {
            bool F::*field = p == "Enabled" ? &F::enabled_ : &F::floodShowPct_;
            return std::move(table).Add<bool>(
                Key(key.key), key.fixedDefault != 0, [field](const F& f) { return f.*field; },
                [field](F& f, bool value) { f.*field = value; }, Always);
        }
        if (p == "FillColor") {
            return Label<gdi::Colour>(
                std::move(table), key, [](const F& f) { return f.Surface().FillColor(); },
                [](F& f, gdi::Colour c) { f.Surface().SetFillColor(c); });
        }
        if (p == "FillStyle") {
            return Label<std::int16_t>(
                std::move(table), key, [](const F& f) { return f.Surface().FillStyle(); },
                [](F& f, std::int16_t s) { f.Surface().SetFillStyle(s); }, InRange<std::int16_t>(0, 7));
        }
        if (p == "DrawStyle") {
            return Label<std::int16_t>(
                std::move(table), key, [](const F& f) { return f.Surface().DrawStyle(); },
                [](F& f, std::int16_t s) { f.Surface().SetDrawStyle(s); }, InRange<std::int16_t>(0, 6));
        }
        if (p == "MousePointer") {
            return Label<std::int16_t>(
                std::move(table), key, [](const F& f) { return f.Surface().MousePointer(); },
                [](F& f, std::int16_t s) { f.Surface().SetMousePointer(s); });
        }
        if (p == "MouseIcon") {
            return Label<host::PictureObject>(
                std::move(table), key, [](const F& f) { return f.Surface().MouseIcon(); },
                [](F& f, const host::PictureObject& icon) { f.Surface().SetMouseIcon(icon); });
        }
        if (p == "Picture") {
            return Label<host::PictureObject>(
                std::move(table), key, [](const F& f) { return f.Surface().Picture(); },
                [](F& f, const host::PictureObject& picture) { f.Surface().SetPicture(picture); });
        }
        if (p == "CaptionMAlignment") {
            return Label<std::int16_t>(
                std::move(table), key, [](const F& f) { return f.lblCaption->Alignment(); },
                [](F& f, std::int16_t a) { f.lblCaption->SetAlignment(a); }, InRange<std::int16_t>(0, 2));
        }
        if (p == "Font") {
            return Label<host::FontObject>(
                std::move(table), key, [](const F& f) { return f.lblCaption->Font(); },
                [](F& f, const host::FontObject& font) { f.lblCaption->SetFont(font); });
        }
        if (p == "FontBold") {
            return Label<bool>(
                std::move(table), key, [](const F& f) { return f.Font().Bold(); },
                FontChange([](host::FontObject& font, bool v) { font.SetBold(v); }));
        }
        if (p == "FontItalic") {
            return Label<bool>(
                std::move(table), key, [](const F& f) { return f.Font().Italic(); },
                FontChange([](host::FontObject& font, bool v) { font.SetItalic(v); }));
        }
        if (p == "FontName") {
            return Label<QString>(
                std::move(table), key, [](const F& f) { return f.Font().Name(); },
                FontChange([](host::FontObject& font, const QString& v) { font.SetName(v); }));
        }
        if (p == "FontSize") {
            return Label<float>(
                std::move(table), key, [](const F& f) { return f.Font().Size(); },
                FontChange([](host::FontObject& font, float v) { font.SetSize(v); }),
                [](const float& v) { return host::FontObject::IsValidSize(v) ? QString() : InvalidValue; });
        }
        if (p == "FontStrikethru") {
            return Label<bool>(
                std::move(table), key, [](const F& f) { return f.Font().Strikethrough(); },
                FontChange([](host::FontObject& font, bool v) { font.SetStrikethrough(v); }));
        }
        if (p == "FontUnderline") {
            return Label<bool>(
                std::move(table), key, [](const F& f) { return f.Font().Underline(); },
                FontChange([](host::FontObject& font, bool v) { font.SetUnderline(v); }));
        }
        if (p == "ForeColor") {
            return Label<gdi::Colour>(
                std::move(table), key, [](const F& f) { return f.lblCaption->ForeColor(); },
                [](F& f, gdi::Colour c) { f.lblCaption->SetForeColor(c); });
        }
        if (p == "Caption") {
            return Label<QString>(
                std::move(table), key, [](const F& f) { return f.lblCaption->Caption(); },
                [](F& f, const QString& text) { f.lblCaption->SetCaption(text); });
        }
        // UseMnemonic, the last key.
        return Label<bool>(
            std::move(table), key, [](const F& f) { return f.lblCaption->UseMnemonic(); },
            [](F& f, bool v) { f.lblCaption->SetUseMnemonic(v); });
    }
};

const host::PropertyTable<sknFrame3D>& sknFrame3D::Properties() {
    static const Table table = [] {
        std::array<std::string_view, frameprops::ReadOrder.size()> keys{};
        for (std::size_t i = 0; i < keys.size(); ++i) {
            keys[i] = frameprops::ReadOrder[i].key;
        }
        return FrameTableBuilder::Build(keys);
    }();
    return table;
}

const host::PropertyTable<sknFrame3D>& sknFrame3D::WritingTable() {
    static const Table table = FrameTableBuilder::Build(frameprops::WriteOrder);
    return table;
}

void sknFrame3D::UserControl_InitProperties() {
    using New = frameprops::NewFrame;
    bevelWidth_ = New::BevelWidth;
    borderType_ = New::BorderType;
    backColor_ = Ambient().backColor;
    highlight_ = gdi::Colour(New::Border3DHighlight);
    shadow_ = gdi::Colour(New::Border3DShadow);
    enabled_ = New::Enabled;
    floodPercent_ = 0;
    floodShowPct_ = false;
    floodType_ = 0;
    floodColor_ = Surface().FillColor();
    lblCaptionShadow->SetForeColor(highlight_);
    lblCaption->SetUseMnemonic(New::UseMnemonic);
    lblCaptionShadow->SetUseMnemonic(New::UseMnemonic);
    captionLocation_ = New::CaptionLocation;
    cornerRadius_ = New::CornerRadius;
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
    WritingTable().WriteProperties(*this, bag);
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
