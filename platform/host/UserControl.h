#pragma once

#include <cstdint>

#include "ControlSurface.h"
#include "HostedWidget.h"

namespace kelvo::host {

class PropertyBag;

// The base of every skinned control: a window with a drawing surface (Surface(), which holds every
// surface property and drawing operation) and the host's notifications, sent as the UserControl_...
// hooks in this order: Initialize, then InitProperties for a new instance or ReadProperties for a stored
// one, Resize, Show, Paint (for a first show, a resize and the surface's Refresh, unless AutoRedraw is on),
// Hide, WriteProperties when saved, Terminate. Resize also comes with every later change of size, also
// one made from inside a Resize hook (up to a few levels deep). Input comes as the standard events of
// HostedWidget, raised by this base; a control declares only its own further events.
//
// A control may change only what is virtual here and in HostedWidget; it adds members of its own under
// names of its own. The enabled state has one home, the window's: a change made through the surface or
// directly through Qt reaches UserControl_EnabledChanged.
class UserControl : public HostedWidget {
    Q_OBJECT

public:
    explicit UserControl(HostContext& host, QWidget* parent = nullptr);

    // Life, as the form drives it (a test may drive it the same way).
    void LoadNew() override;
    void LoadStored(PropertyBag& bag) override;
    void Save(PropertyBag& bag) override;
    void Unload() override;

    ControlSurface& Surface() { return surface_; }
    const ControlSurface& Surface() const { return surface_; }

    // The size in host units (twips) within the container. A new size raises Resize at once.
    std::int32_t WidthTwips() const;
    std::int32_t HeightTwips() const;
    void SetWidthTwips(std::int32_t twips);
    void SetHeightTwips(std::int32_t twips);

signals:
    // The control told the host that a stored property changed.
    void PropertyChangeNotified(const QString& name);

protected:
    void PropertyChanged(const QString& name) { emit PropertyChangeNotified(name); }

    virtual void UserControl_Initialize() {}
    virtual void UserControl_InitProperties() {}
    virtual void UserControl_ReadProperties(PropertyBag& bag) { static_cast<void>(bag); }
    virtual void UserControl_Resize() {}
    virtual void UserControl_Show() {}
    virtual void UserControl_Paint() {}
    virtual void UserControl_Hide() {}
    virtual void UserControl_WriteProperties(PropertyBag& bag) { static_cast<void>(bag); }
    virtual void UserControl_Terminate() {}
    virtual void UserControl_GotFocus() {}
    virtual void UserControl_LostFocus() {}
    virtual void UserControl_AccessKeyPress(std::int16_t keyAscii) { static_cast<void>(keyAscii); }
    virtual void UserControl_AmbientChanged(const QString& propertyName) { static_cast<void>(propertyName); }
    // The window's enabled state changed (through the surface, Qt or the container).
    virtual void UserControl_EnabledChanged() {}

    bool TakesInput() const override { return loaded_ && !terminated_; }

    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void AmbientUpdated(const AmbientValues& old) override;
    void Start();
    void ApplySize(int widthPixels, int heightPixels);
    void SyncSurface();
    void FireAccessKey(QChar key);

    ControlSurface surface_;
    bool initialized_ = false;
    bool loaded_ = false;
    bool terminated_ = false;
    bool shown_ = false;
    int resizeDepth_ = 0;
};

} // namespace kelvo::host
