#include "OptionGroup.h"

#include <algorithm>

#include "sknOption.h"

namespace kelvo::controls {

namespace {

// The arrow keys' codes: left and up go back, right and down forward.
constexpr std::int16_t KeyLeft = 37;
constexpr std::int16_t KeyUp = 38;
constexpr std::int16_t KeyRight = 39;
constexpr std::int16_t KeyDown = 40;

} // namespace

OptionGroup::OptionGroup(std::vector<sknOption*> options, QObject* parent)
    : QObject(parent)
    , options_(std::move(options)) {
    std::erase(options_, nullptr);
    for (sknOption* option : options_) {
        connect(option, &sknOption::Change, this, &OptionGroup::UpdateTabStop);
        connect(option, &sknOption::KeyDown, this,
                [this, option](std::int16_t& keyCode, std::int16_t& shift) {
                    if (shift != 0) {
                        return;
                    }
                    if (keyCode == KeyRight || keyCode == KeyDown) {
                        Move(option, 1);
                    } else if (keyCode == KeyLeft || keyCode == KeyUp) {
                        Move(option, -1);
                    }
                });
    }
    UpdateTabStop();
}

sknOption* OptionGroup::TabStop() const {
    const auto selected = std::find_if(options_.begin(), options_.end(),
                                       [](const sknOption* option) { return option->Value(); });
    if (selected != options_.end()) {
        return *selected;
    }
    return options_.empty() ? nullptr : options_.front();
}

void OptionGroup::UpdateTabStop() {
    // The others still take the focus from a click or an arrow key, only Tab passes them by.
    const sknOption* stop = TabStop();
    for (sknOption* option : options_) {
        option->setFocusPolicy(option == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void OptionGroup::Move(const sknOption* from, int step) {
    const auto at = std::find(options_.begin(), options_.end(), from);
    if (at == options_.end()) {
        return;
    }
    const auto count = static_cast<std::ptrdiff_t>(options_.size());
    std::ptrdiff_t index = at - options_.begin();
    for (std::ptrdiff_t tried = 1; tried < count; ++tried) {
        index = (index + step + count) % count;
        sknOption* next = options_[static_cast<std::size_t>(index)];
        if (next->isVisible() && next->isEnabled()) {
            next->FocusFromKeyboard();
            next->RaiseClick();
            return;
        }
    }
}

} // namespace kelvo::controls
