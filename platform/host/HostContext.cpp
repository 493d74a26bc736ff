#include "HostContext.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QtGlobal>

#include "QtMessageBox.h"
#include "platform/numeric/Numeric.h"
#include "platform/system/Environment.h"

// Resources of a static library must be registered by name from the global namespace.
static void RegisterHostResources() {
    Q_INIT_RESOURCE(HostResources);
}

namespace kelvo::host {

EnvironmentValues EnvironmentValues::FromSystem() {
    return {system::UserName(), system::ComputerName()};
}

HostContext::HostContext(gdi::SysColours colours)
    : colours_(colours)
    , environment_(EnvironmentValues::FromSystem())
    , messageBox_(std::make_unique<QtMessageBox>())
    , keys_(std::make_unique<QtKeySender>())
    , events_(std::make_unique<system::QtEventPump>()) {
    RegisterHostResources();
    handCursor_ = PictureObject::Load(QStringLiteral(":/kelvo/host/HandCursor.png"), PictureType::Icon);
}

HostContext::~HostContext() = default;

int HostContext::ToPixels(double twips) {
    const double limit = double(std::numeric_limits<std::int32_t>::max());
    if (!std::isfinite(twips)) {
        return 0;
    }
    return numeric::CLng(std::clamp(twips / TwipsPerPixelX, -limit, limit)).value_or(0);
}

std::int32_t HostContext::ToTwips(std::int64_t pixels) {
    const std::int64_t limit = std::numeric_limits<std::int32_t>::max() / TwipsPerPixelX;
    return static_cast<std::int32_t>(std::clamp(pixels, -limit, limit) * TwipsPerPixelX);
}

QString HostContext::Environ(const QString& name) const {
    if (name.compare(QLatin1String("username"), Qt::CaseInsensitive) == 0) {
        return environment_.userName;
    }
    if (name.compare(QLatin1String("computername"), Qt::CaseInsensitive) == 0) {
        return environment_.computerName;
    }
    return QString();
}

void HostContext::SetMessageBox(std::unique_ptr<MessageBoxService> service) {
    if (service) {
        messageBox_ = std::move(service);
    }
}

void HostContext::SetKeySender(std::unique_ptr<KeySender> sender) {
    if (sender) {
        keys_ = std::move(sender);
    }
}

} // namespace kelvo::host
