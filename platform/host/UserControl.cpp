#include "UserControl.h"

#include <algorithm>

#include <QEvent>
#include <QPaintEvent>

#include "HostContext.h"
#include "PropertyBag.h"

namespace kelvo::host {

UserControl::UserControl(HostContext& host, QWidget* parent)
    : HostedWidget(host, parent)
    , surface_(host, *this, [this](QChar key) { FireAccessKey(key); }) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // Nothing is loaded yet, so there is no Resize to raise: the surface only takes the window's size.
    surface_.Resize(size());
}

void UserControl::Start() {
    SyncSurface(); // a size given while the window was hidden
    if (!initialized_) {
        initialized_ = true;
        UserControl_Initialize();
    }
}

void UserControl::LoadNew() {
    if (loaded_ || terminated_) {
        return;
    }
    Start();
    UserControl_InitProperties();
    loaded_ = true;
    UserControl_Resize();
}

void UserControl::LoadStored(PropertyBag& bag) {
    if (loaded_ || terminated_) {
        return;
    }
    Start();
    UserControl_ReadProperties(bag);
    loaded_ = true;
    UserControl_Resize();
}

void UserControl::Save(PropertyBag& bag) {
    if (loaded_ && !terminated_) {
        UserControl_WriteProperties(bag);
    }
}

void UserControl::Unload() {
    if (terminated_) {
        return;
    }
    if (shown_) {
        shown_ = false;
        UserControl_Hide();
    }
    terminated_ = true;
    if (initialized_) {
        UserControl_Terminate();
    }
    surface_.SetAccessKeys(QString());
}

void UserControl::AmbientUpdated(const AmbientValues& old) {
    if (!loaded_ || terminated_) {
        return;
    }
    const AmbientValues& now = Ambient();
    if (old.displayName != now.displayName) {
        UserControl_AmbientChanged(QStringLiteral("DisplayName"));
    }
    if (!(old.font == now.font)) {
        UserControl_AmbientChanged(QStringLiteral("Font"));
    }
    if (old.backColor != now.backColor) {
        UserControl_AmbientChanged(QStringLiteral("BackColor"));
    }
    if (old.displayAsDefault != now.displayAsDefault) {
        UserControl_AmbientChanged(QStringLiteral("DisplayAsDefault"));
    }
}

std::int32_t UserControl::WidthTwips() const {
    return HostContext::ToTwips(width());
}

std::int32_t UserControl::HeightTwips() const {
    return HostContext::ToTwips(height());
}

void UserControl::SetWidthTwips(std::int32_t twips) {
    ApplySize(HostContext::ToPixels(twips), height());
}

void UserControl::SetHeightTwips(std::int32_t twips) {
    ApplySize(width(), HostContext::ToPixels(twips));
}

void UserControl::ApplySize(int widthPixels, int heightPixels) {
    resize(std::clamp(widthPixels, 0, HostContext::MaxSide),
           std::clamp(heightPixels, 0, HostContext::MaxSide));
    // A hidden window gets its resize event only when shown; the control hears of the size now.
    SyncSurface();
}

void UserControl::SyncSurface() {
    if (!surface_.Resize(size())) {
        return;
    }
    if (loaded_ && !terminated_ && resizeDepth_ < 4) {
        ++resizeDepth_;
        UserControl_Resize();
        --resizeDepth_;
    }
}

void UserControl::FireAccessKey(QChar key) {
    if (!loaded_ || terminated_ || !isEnabled()) {
        return;
    }
    if (focusPolicy() != Qt::NoFocus) {
        setFocus(Qt::ShortcutFocusReason);
    }
    UserControl_AccessKeyPress(static_cast<std::int16_t>(key.toLower().unicode()));
}

void UserControl::changeEvent(QEvent* event) {
    HostedWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && loaded_ && !terminated_) {
        UserControl_EnabledChanged();
    }
}

void UserControl::paintEvent(QPaintEvent* event) {
    if (surface_.BeginPaint() && loaded_ && !terminated_) {
        UserControl_Paint();
    }
    surface_.EndPaint(event->rect());
}

void UserControl::resizeEvent(QResizeEvent*) {
    SyncSurface();
}

void UserControl::showEvent(QShowEvent* event) {
    if (event->spontaneous() || !loaded_ || terminated_ || shown_) {
        return;
    }
    shown_ = true;
    surface_.RequestPaint();
    UserControl_Show();
}

void UserControl::hideEvent(QHideEvent* event) {
    if (event->spontaneous() || !shown_ || terminated_) {
        return;
    }
    shown_ = false;
    UserControl_Hide();
}

void UserControl::focusInEvent(QFocusEvent* event) {
    HostedWidget::focusInEvent(event);
    if (loaded_ && !terminated_) {
        UserControl_GotFocus();
    }
}

void UserControl::focusOutEvent(QFocusEvent* event) {
    HostedWidget::focusOutEvent(event);
    if (loaded_ && !terminated_) {
        UserControl_LostFocus();
    }
}

} // namespace kelvo::host
