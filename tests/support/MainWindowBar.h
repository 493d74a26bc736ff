#pragma once

#include "controls/progressbar/sknProgressBar.h"
#include "forms/FormResources.h"
#include "platform/host/FormReader.h"
#include "platform/host/HostContext.h"

namespace kelvo::tests {

// Gives bar the main window's progress bar as the real form file stores it: its size there and its stored
// settings. False when the form or the bar in it cannot be read.
inline bool LoadMainWindowBar(controls::sknProgressBar& bar) {
    forms::InitFormResources();
    const host::FormReader::Result read = host::FormReader::ReadFile(QStringLiteral(":/forms/frmMain.json"));
    for (const host::InstanceSpec& instance :
         read.form ? read.form->instances : std::vector<host::InstanceSpec>{}) {
        if (instance.name == QLatin1String("pb")) {
            bar.resize(host::HostContext::ToPixels(instance.width),
                       host::HostContext::ToPixels(instance.height));
            host::PropertyBag stored = instance.properties;
            bar.LoadStored(stored);
            return true;
        }
    }
    return false;
}

} // namespace kelvo::tests
