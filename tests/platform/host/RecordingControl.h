#pragma once

#include <QStringList>

#include "platform/host/HostContext.h"
#include "platform/host/PropertyBag.h"
#include "platform/host/UserControl.h"

// A control for the host tests: records every notification and hook in the order the host sends them,
// with the input arguments as the hooks receive them.
class RecordingControl : public kelvo::host::UserControl {
public:
    using UserControl::PropertyChanged;
    using UserControl::UserControl;

    QStringList log;
    int resizeHeightPixels = -1; // when set, Resize forces this height, as the 3-D line does
    bool drawInPaint = false;
    bool refuseClicks = false;

protected:
    void UserControl_Initialize() override { log << "Initialize"; }
    void UserControl_InitProperties() override { log << "InitProperties"; }
    void UserControl_ReadProperties(kelvo::host::PropertyBag& bag) override {
        log << QStringLiteral("ReadProperties %1").arg(bag.Read(QStringLiteral("Value"), std::int32_t{0}));
    }
    void UserControl_Resize() override {
        log << QStringLiteral("Resize %1x%2").arg(Surface().ScaleWidth()).arg(Surface().ScaleHeight());
        if (resizeHeightPixels >= 0) {
            SetHeightTwips(resizeHeightPixels * kelvo::host::HostContext::TwipsPerPixelY);
        }
    }
    void UserControl_Show() override { log << "Show"; }
    void UserControl_Paint() override {
        log << "Paint";
        if (drawInPaint) {
            Surface().LineBoxFilled(0, 0, 3, 3, kelvo::gdi::Colour(0x0000FF));
            Surface().Refresh();
        }
    }
    void UserControl_Hide() override { log << "Hide"; }
    void UserControl_WriteProperties(kelvo::host::PropertyBag& bag) override {
        log << "WriteProperties";
        bag.Write(QStringLiteral("Value"), std::int32_t{7}, std::int32_t{0});
    }
    void UserControl_Terminate() override { log << "Terminate"; }
    bool ClickAction() override {
        log << "Click";
        return !refuseClicks;
    }
    void AfterDblClick() override { log << "DblClick"; }
    void AfterMouseDown(std::int16_t button, std::int16_t shift, float x, float y) override {
        log << QStringLiteral("MouseDown %1 %2 %3 %4").arg(button).arg(shift).arg(x).arg(y);
    }
    void AfterMouseMove(std::int16_t button, std::int16_t shift, float x, float y) override {
        log << QStringLiteral("MouseMove %1 %2 %3 %4").arg(button).arg(shift).arg(x).arg(y);
    }
    void AfterMouseUp(std::int16_t button, std::int16_t shift, float x, float y) override {
        log << QStringLiteral("MouseUp %1 %2 %3 %4").arg(button).arg(shift).arg(x).arg(y);
    }
    void AfterKeyDown(std::int16_t keyCode, std::int16_t shift) override {
        log << QStringLiteral("KeyDown %1 %2").arg(keyCode).arg(shift);
    }
    void AfterKeyUp(std::int16_t keyCode, std::int16_t shift) override {
        log << QStringLiteral("KeyUp %1 %2").arg(keyCode).arg(shift);
    }
    void AfterKeyPress(std::int16_t keyAscii) override { log << QStringLiteral("KeyPress %1").arg(keyAscii); }
    void UserControl_GotFocus() override { log << "GotFocus"; }
    void UserControl_LostFocus() override { log << "LostFocus"; }
    void UserControl_AccessKeyPress(std::int16_t keyAscii) override {
        log << QStringLiteral("AccessKeyPress %1").arg(keyAscii);
    }
    void UserControl_AmbientChanged(const QString& name) override { log << "AmbientChanged " + name; }
    void UserControl_EnabledChanged() override {
        log << QStringLiteral("EnabledChanged %1").arg(isEnabled() ? "on" : "off");
    }
};

// The log without the entries that start with prefix.
inline QStringList Without(QStringList log, const QString& prefix) {
    log.removeIf([&](const QString& line) { return line.startsWith(prefix); });
    return log;
}
