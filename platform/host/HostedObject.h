#pragma once

class QObject;
class QWidget;

#include "AmbientValues.h"

namespace kelvo::host {

class PropertyBag;

// What a form needs of every instance it hosts, visual or not: the start of its life as a new or a stored
// instance, saving its properties, and the end of its life. The form calls Unload before it deletes the
// instance, because a C++ destructor can no longer reach the instance's own handlers.
class HostedObject {
public:
    virtual ~HostedObject() = default;

    // The container's values, handed over before the instance's life starts and again when they change.
    virtual void SetAmbient(const AmbientValues& ambient) { static_cast<void>(ambient); }

    // Initialize, then InitProperties.
    virtual void LoadNew() = 0;
    // Initialize, then ReadProperties from the stored values.
    virtual void LoadStored(PropertyBag& bag) = 0;
    // WriteProperties into the bag.
    virtual void Save(PropertyBag& bag) = 0;
    // Terminate; safe to call more than once (only the first call counts).
    virtual void Unload() = 0;

    virtual QObject* Object() = 0;
    // The instance's window, or null for instances without one (timers).
    virtual QWidget* Widget() = 0;
};

} // namespace kelvo::host
