#pragma once

#include <QStringList>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/ObjectCountGuard.h"

namespace kelvo::tests {

// Checks that a drawing step on a context leaves it as it found it: the pen, brush, font and bitmap
// selected before are selected again, the colours and modes are back, and no drawing object made during
// the step is still alive. A step that forgets to select the old pen back keeps drawing later steps with
// its own (and keeps that pen alive inside the context); a count of handles alone cannot see that.
class DrawingStepGuard {
public:
    explicit DrawingStepGuard(const gdi::DeviceContext& dc)
        : dc_(dc)
        , before_(Take(dc)) {}

    // What the step changed, or an empty text.
    QString Report() const {
        QStringList changes;
        const State now = Take(dc_);
        const auto compare = [&](bool same, const char* what) {
            if (!same) {
                changes << QString::fromLatin1(what);
            }
        };
        compare(now.pen == before_.pen, "pen left selected");
        compare(now.brush == before_.brush, "brush left selected");
        compare(now.font == before_.font, "font left selected");
        compare(now.bitmap == before_.bitmap, "bitmap left selected");
        compare(now.text == before_.text, "text colour changed");
        compare(now.back == before_.back, "background colour changed");
        compare(now.mode == before_.mode, "background mode changed");
        compare(now.rop2 == before_.rop2, "mixing mode changed");
        if (!objects_.Unchanged()) {
            changes << objects_.Report();
        }
        return changes.join(QStringLiteral(", "));
    }
    bool Unchanged() const { return Report().isEmpty(); }

private:
    struct State {
        const void* pen;
        const void* brush;
        const void* font;
        const void* bitmap;
        std::uint32_t text;
        std::uint32_t back;
        int mode;
        int rop2;
    };
    static State Take(const gdi::DeviceContext& dc) {
        return {&dc.CurrentPen(),      &dc.CurrentBrush(),  &dc.CurrentFont(), dc.CurrentBitmap().get(),
                dc.TextColour().Raw(), dc.BkColour().Raw(), dc.BkMode(),       dc.Rop2()};
    }

    const gdi::DeviceContext& dc_;
    State before_;
    gdi::ObjectCountGuard objects_;
};

} // namespace kelvo::tests
