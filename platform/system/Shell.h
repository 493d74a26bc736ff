#pragma once

#include <QString>
#include <QUrl>

namespace kelvo::system {

// Opens documents and web addresses with the desktop's default programs.
class Shell {
public:
    virtual ~Shell() = default;
    // Returns whether the desktop accepted the request; callers may ignore it.
    virtual bool Open(const QString& target) = 0;
};

// Through QDesktopServices, never through a command shell: a full file path opens as a local file, an
// address with a scheme as it is, and a bare host name ("kelvo.example") as an https address.
class DesktopShell final : public Shell {
public:
    bool Open(const QString& target) override;
};

// The address a target text stands for (exposed for tests); invalid for the empty text.
QUrl TargetUrl(const QString& target);

} // namespace kelvo::system
