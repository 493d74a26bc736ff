#pragma once

#include <memory>

#include <QFont>
#include <QString>

#include "FontObject.h"
#include "FontSubstitution.h"
#include "KeySender.h"
#include "MessageBoxService.h"
#include "PictureObject.h"
#include "platform/gdi/SysColours.h"
#include "platform/system/AppInfo.h"
#include "platform/system/EventPump.h"

namespace kelvo::host {

// The user and machine names the program may report.
struct EnvironmentValues {
    QString userName;
    QString computerName;
    // The login name and the host name of this machine.
    static EnvironmentValues FromSystem();
};

// Everything the control host offers to forms and controls, in one object the application owns and
// hands to each of them: the system colours, the ambient values, the host units per pixel, the program's
// title, folder and version, environment values, the font substitution table, and the message box,
// keystroke and event-loop services. Tests build one with the fixed classic colours and put recorders in
// place of the services.
class HostContext {
public:
    explicit HostContext(gdi::SysColours colours = gdi::SysColours::Classic());
    ~HostContext();
    HostContext(const HostContext&) = delete;
    HostContext& operator=(const HostContext&) = delete;

    const gdi::SysColours& SysColours() const { return colours_; }
    // Resolves a colour reference (system colours included) to the RGB value drawing uses.
    gdi::Colour Resolve(gdi::Colour colour) const { return colours_.Resolve(colour); }

    // False while a form is being designed; the program itself always runs in user mode.
    bool UserMode() const { return userMode_; }
    void SetUserMode(bool userMode) { userMode_ = userMode; }
    // The font new controls start with when their form names none.
    const FontObject& AmbientFont() const { return ambientFont_; }

    // Host units (twips) per pixel. The layout is a fixed 96-DPI pixel layout, so both are always 15.
    static constexpr int TwipsPerPixelX = 15;
    static constexpr int TwipsPerPixelY = 15;
    // The largest side of any window the host makes, in pixels; bigger sizes are cut to it.
    static constexpr int MaxSide = 4096;
    // Host units to whole pixels (halves to even) and back; results stay within the 32-bit range.
    static int ToPixels(double twips);
    static std::int32_t ToTwips(std::int64_t pixels);

    const system::AppInfo& App() const { return app_; }
    // The program's folder without a trailing separator, as given by the caller (empty until set).
    const QString& AppFolder() const { return appFolder_; }
    void SetAppFolder(const QString& folder) { appFolder_ = folder; }

    const EnvironmentValues& Environment() const { return environment_; }
    void SetEnvironment(const EnvironmentValues& environment) { environment_ = environment; }
    // The environment value of a name: "username" and "computername" (any case); other names are empty.
    QString Environ(const QString& name) const;

    const FontSubstitution& Fonts() const { return fonts_; }
    QFont ToQFont(const FontObject& font) const { return font.ToQFont(fonts_); }

    MessageBoxService& MessageBox() { return *messageBox_; }
    void SetMessageBox(std::unique_ptr<MessageBoxService> service);
    KeySender& Keys() { return *keys_; }
    void SetKeySender(std::unique_ptr<KeySender> sender);
    bool SendKeys(const QString& keys) { return keys_->SendKeys(keys); }
    system::EventPump& Events() { return *events_; }
    void DoEvents() { events_->DoEvents(); }

    // The hand cursor controls show over links and buttons (an icon picture with its hot spot on the
    // finger tip).
    const PictureObject& HandCursor() const { return handCursor_; }

private:
    gdi::SysColours colours_;
    bool userMode_ = true;
    FontObject ambientFont_;
    system::AppInfo app_;
    QString appFolder_;
    EnvironmentValues environment_;
    FontSubstitution fonts_;
    std::unique_ptr<MessageBoxService> messageBox_;
    std::unique_ptr<KeySender> keys_;
    std::unique_ptr<system::EventPump> events_;
    PictureObject handCursor_;
};

} // namespace kelvo::host
