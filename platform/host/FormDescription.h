#pragma once

#include <cstdint>
#include <vector>

#include <QString>

#include "FontObject.h"
#include "PictureObject.h"
#include "PropertyBag.h"
#include "platform/gdi/Colour.h"

namespace kelvo::host {

// One instance on a form as its form file describes it. Positions and sizes are host units (twips,
// 15 per pixel), relative to the form's client area.
struct InstanceSpec {
    QString kind;
    QString name;
    // The element of a control array, or -1 for an instance that is not in one.
    std::int32_t index = -1;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    PropertyBag properties;

    // "name" or "name(index)", the way errors and ambient display names show an instance.
    QString DisplayName() const { return index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index); }
};

// A form as its form file describes it: the window and its instances in file order. The client size is
// in twips like every other position of the file (5565 x 5220 twips is 371 x 348 pixels).
struct FormSpec {
    QString name;
    QString caption;
    std::int32_t clientWidth = 0;
    std::int32_t clientHeight = 0;
    gdi::Colour backColor{0x8000000Fu};
    gdi::Colour foreColor{0x80000012u};
    PictureObject picture;
    // 0 none, 1 fixed single, 2 sizable, 3 fixed dialog, 4 fixed tool window, 5 sizable tool window.
    std::int16_t borderStyle = 2;
    // The form's font, which its controls take as their ambient font.
    FontObject font;
    std::vector<InstanceSpec> instances;

    // Every position and size a form file may hold, in twips: 4096 pixels either way.
    static constexpr std::int32_t MaxTwips = 4096 * 15;
    // The most instances one form may hold.
    static constexpr int MaxInstances = 4096;
};

} // namespace kelvo::host
