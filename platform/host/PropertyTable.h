#pragma once

#include <algorithm>
#include <functional>
#include <string_view>
#include <type_traits>
#include <vector>

#include <QString>
#include <QStringList>

#include "HostContext.h"
#include "PropertyBag.h"

namespace kelvo::host {

// What a change made through PropertyTable::Set brings about once the value is stored: bits the control's
// ApplyEffects does, in its own order (for example the palette, then the layout, then the paint).
namespace effect {
inline constexpr unsigned Palette = 1;
inline constexpr unsigned Layout = 2;
inline constexpr unsigned Repaint = 4;
} // namespace effect

// How a stored property takes part in a control's persistence, and what a change through Set does.
struct PropertyFlags {
    // Written whatever its value (the default is only used on reading); most properties are omitted
    // when they equal their default.
    bool writeAlways = false;
    // Set to its default when a new instance is placed (InitProperties).
    bool setOnInit = false;
    // Set: the effect bits, and the name the change is announced by (PropertyChanged): the key when
    // empty, none when quiet. The announcement comes after the effects, or before them when
    // announceFirst.
    unsigned effects = 0;
    std::u16string_view announceAs{};
    bool quiet = false;
    bool announceFirst = false;
};

// The stored properties of one kind of control, in the order they are read and written: each with its
// key, stored type, default, getter and setter, written down once. The control's InitProperties,
// ReadProperties and WriteProperties hand their work to the table.
//
// - Reading applies each value through the setter as it is read. The setter here is the quiet one that
//   only stores (no notification, no event, no repaint): what reading must not cause, the control does
//   once after the table is through.
// - A value of the wrong type, a colour that is not a colour reference, and a value the property's
//   check refuses are errors of that key alone: the bag records them and the default applies (a refused
//   value leaves the property as it was).
// - Defaults may depend on the instance (the ambient font, the surface's current style).
//
// - Set is a public setter: it stores through the same setter, then does the effects and the announcement
//   the flags give.
//
// Control is the control's own class; it must offer Host(), and, for Set, PropertyChanged(const QString&)
// and (where a property has effects) ApplyEffects(unsigned) to the table.
template <typename Control> class PropertyTable {
public:
    template <typename T> using Getter = std::function<T(const Control&)>;
    template <typename T> using Setter = std::function<void(Control&, const T&)>;
    // Why a value is refused, or an empty text when it is accepted.
    template <typename T> using Check = std::function<QString(const T&)>;

    // A default: a fixed value or one worked out from the instance.
    template <typename T> class Default {
    public:
        Default(T value)
            : of_([value](const Control&) { return value; }) {}
        template <typename F>
        requires std::is_invocable_r_v<T, F, const Control&> Default(F of)
            : of_(std::move(of)) {}
        T operator()(const Control& control) const { return of_(control); }

    private:
        std::function<T(const Control&)> of_;
    };

    template <PropertyValueType T>
    PropertyTable&& Add(const QString& key, Default<T> defaultValue, Getter<T> get, Setter<T> set,
                        PropertyFlags flags = {}, Check<T> check = {}) && {
        Entry entry;
        entry.key = key;
        entry.init = [=](Control& control) {
            if (flags.setOnInit) {
                set(control, defaultValue(control));
            }
        };
        entry.read = [=](Control& control, PropertyBag& bag) {
            const T fallback = defaultValue(control);
            T value = bag.Read(key, fallback);
            if constexpr (std::is_same_v<T, gdi::Colour>) {
                // A reference with stray high bits names no colour.
                if (!control.Host().SysColours().OleTranslateColor(value)) {
                    bag.ReportError(key, QStringLiteral("not a colour reference"));
                    value = fallback;
                }
            }
            if (check) {
                if (const QString refused = check(value); !refused.isEmpty()) {
                    bag.ReportError(key, refused);
                    return;
                }
            }
            set(control, value);
        };
        entry.assign = [set](Control& control, const PropertyValue& value) {
            const T* typed = std::get_if<T>(&value);
            if (typed != nullptr) {
                set(control, *typed);
            }
            return typed != nullptr;
        };
        entry.flags = flags;
        entry.write = [=](const Control& control, PropertyBag& bag) {
            if (flags.writeAlways) {
                bag.Write(key, get(control));
            } else {
                bag.Write(key, get(control), defaultValue(control));
            }
        };
        entries_.push_back(std::move(entry));
        return std::move(*this);
    }

    // Stores value as the property's setter does, then does its effects and announces the change. False
    // (and nothing done) for a key the table does not hold or a value of another type.
    bool Set(Control& control, QStringView key, const PropertyValue& value) const {
        const auto entry =
            std::find_if(entries_.begin(), entries_.end(), [key](const Entry& e) { return e.key == key; });
        if (entry == entries_.end() || !entry->assign(control, value)) {
            return false;
        }
        const PropertyFlags& flags = entry->flags;
        const QString name = flags.announceAs.empty() ? entry->key : QStringView(flags.announceAs).toString();
        if (flags.announceFirst && !flags.quiet) {
            control.PropertyChanged(name);
        }
        if constexpr (requires { control.ApplyEffects(flags.effects); }) {
            if (flags.effects != 0) {
                control.ApplyEffects(flags.effects);
            }
        }
        if (!flags.announceFirst && !flags.quiet) {
            control.PropertyChanged(name);
        }
        return true;
    }

    void InitProperties(Control& control) const {
        for (const Entry& entry : entries_) {
            entry.init(control);
        }
    }
    void ReadProperties(Control& control, PropertyBag& bag) const {
        for (const Entry& entry : entries_) {
            entry.read(control, bag);
        }
    }
    void WriteProperties(const Control& control, PropertyBag& bag) const {
        if (writeOrder_.empty()) {
            for (const Entry& entry : entries_) {
                entry.write(control, bag);
            }
            return;
        }
        for (const std::size_t index : writeOrder_) {
            entries_[index].write(control, bag);
        }
    }

    // Writes the keys in this order instead of the reading order. Every key of the table must be named
    // once; otherwise the order is refused (and the reading order kept), which the control's tests see.
    PropertyTable&& WrittenInOrder(const QStringList& keys) && {
        std::vector<std::size_t> order;
        for (const QString& key : keys) {
            for (std::size_t i = 0; i < entries_.size(); ++i) {
                if (entries_[i].key == key && std::find(order.begin(), order.end(), i) == order.end()) {
                    order.push_back(i);
                }
            }
        }
        if (order.size() == entries_.size() && keys.size() == qsizetype(entries_.size())) {
            writeOrder_ = std::move(order);
        }
        return std::move(*this);
    }
    QStringList Keys() const {
        QStringList keys;
        for (const Entry& entry : entries_) {
            keys.append(entry.key);
        }
        return keys;
    }

private:
    struct Entry {
        QString key;
        std::function<void(Control&)> init;
        std::function<void(Control&, PropertyBag&)> read;
        std::function<void(const Control&, PropertyBag&)> write;
        std::function<bool(Control&, const PropertyValue&)> assign;
        PropertyFlags flags;
    };

    std::vector<Entry> entries_;
    // Indices of entries_ in the order they are written; empty: the reading order.
    std::vector<std::size_t> writeOrder_;
};

} // namespace kelvo::host
