#pragma once

#include <cstdint>

#include <QWidget>

class QAccessibleInterface;

#include "AmbientValues.h"
#include "ClickTracker.h"
#include "HostedObject.h"

namespace kelvo::host {

class HostContext;

// What every visual instance on a form shares, skinned controls and the labels and picture boxes inside
// them alike: the host and the container's ambient values, and the one input path. Mouse and key input
// becomes the standard events, raised here as signals with reference arguments (connected directly, so a
// handler may change them): Button 1 left, 2 right, 4 middle; Shift 1 Shift, 2 Ctrl, 4 Alt; X and Y in
// whole pixels of the receiving widget; KeyCode and KeyAscii as InputCodes gives them.
//
// Each event is raised first and the matching After... hook runs next with the values the handlers left,
// so a control acts on what its host asked for. A click is a release of a button that was pressed over
// the widget, still over it (a window region counts: outside it is outside); ClickAction runs first and
// decides whether Click is raised. The second press of a double click raises DblClick instead of
// MouseDown, and its release clicks no more.
class HostedWidget : public QWidget, public HostedObject {
    Q_OBJECT

public:
    HostedWidget(HostContext& host, QWidget* parent);

    HostContext& Host() const { return host_; }
    const AmbientValues& Ambient() const { return ambient_; }
    void SetAmbient(const AmbientValues& ambient) final;

    // Clicks the widget as the keyboard or assistive technology does: ClickAction, then Click if it
    // allows. Nothing happens while the widget takes no input or is disabled.
    void RaiseClick();
    // Whether the widget holds the focus and it came from the keyboard (Tab, Shift+Tab, an access key or
    // an arrow key), which is when a focus mark is drawn; a mouse click takes the mark away, a window
    // coming back to the front keeps whatever it was.
    bool KeyboardFocus() const { return hasFocus() && keyboardFocus_; }
    // Moves the focus here as the keyboard does, with the focus mark.
    void FocusFromKeyboard();
    // What assistive technology sees of the widget; null leaves it to Qt. Asked once per widget.
    virtual QAccessibleInterface* CreateAccessible() { return nullptr; }

signals:
    void Click();
    void DblClick();
    void MouseDown(std::int16_t& button, std::int16_t& shift, float& x, float& y);
    void MouseMove(std::int16_t& button, std::int16_t& shift, float& x, float& y);
    void MouseUp(std::int16_t& button, std::int16_t& shift, float& x, float& y);
    void KeyDown(std::int16_t& keyCode, std::int16_t& shift);
    void KeyUp(std::int16_t& keyCode, std::int16_t& shift);
    void KeyPress(std::int16_t& keyAscii);

protected:
    // Whether input is turned into events at all (a control takes none before it is loaded or after it
    // has ended).
    virtual bool TakesInput() const { return true; }
    // The ambient values changed from old to Ambient().
    virtual void AmbientUpdated(const AmbientValues& old) { static_cast<void>(old); }

    // What a click does before Click is raised; false keeps Click from being raised.
    virtual bool ClickAction() { return true; }
    virtual void AfterDblClick() {}
    virtual void AfterMouseDown(std::int16_t button, std::int16_t shift, float x, float y);
    virtual void AfterMouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    virtual void AfterMouseUp(std::int16_t button, std::int16_t shift, float x, float y);
    virtual void AfterKeyDown(std::int16_t keyCode, std::int16_t shift);
    virtual void AfterKeyUp(std::int16_t keyCode, std::int16_t shift);
    virtual void AfterKeyPress(std::int16_t keyAscii);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    QObject* Object() final { return this; }
    QWidget* Widget() final { return this; }
    bool InsideForClick(const QPointF& position) const;
    void RaiseDblClick();

    HostContext& host_;
    AmbientValues ambient_;
    ClickTracker clicks_;
    bool keyboardFocus_ = false;
};

} // namespace kelvo::host
