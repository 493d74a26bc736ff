#include "UserControl.h"

#include <cmath>

#include <QAbstractEventDispatcher>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

#include "HostContext.h"
#include "InputCodes.h"
#include "MousePointers.h"
#include "PropertyBag.h"

namespace kelvo::host {

namespace {

float Coordinate(double value) {
    return static_cast<float>(std::floor(value));
}

} // namespace

UserControl::UserControl(HostContext& host, QWidget* parent)
    : QWidget(parent)
    , host_(host)
    , surface_(host) {
    ambient_.font = host.AmbientFont();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMaximumSize(MaxSide, MaxSide);
    SyncSurface();
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &UserControl::FlushSurface);
    }
}

UserControl::~UserControl() = default;

void UserControl::Initialize() {
    if (!initialized_) {
        initialized_ = true;
        UserControl_Initialize();
    }
}

void UserControl::LoadNew() {
    if (loaded_ || terminated_) {
        return;
    }
    SyncSurface(); // a size given while the window was hidden
    Initialize();
    UserControl_InitProperties();
    loaded_ = true;
    UserControl_Resize();
    FlushSurface();
}

void UserControl::LoadStored(PropertyBag& bag) {
    if (loaded_ || terminated_) {
        return;
    }
    SyncSurface(); // a size given while the window was hidden
    Initialize();
    UserControl_ReadProperties(bag);
    loaded_ = true;
    UserControl_Resize();
    FlushSurface();
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
    SetAccessKeys(QString());
}

void UserControl::SetAmbient(const AmbientValues& ambient) {
    const AmbientValues old = std::exchange(ambient_, ambient);
    if (!loaded_ || terminated_) {
        return;
    }
    if (old.displayName != ambient.displayName) {
        UserControl_AmbientChanged(QStringLiteral("DisplayName"));
    }
    if (!(old.font == ambient.font)) {
        UserControl_AmbientChanged(QStringLiteral("Font"));
    }
    if (old.backColor != ambient.backColor) {
        UserControl_AmbientChanged(QStringLiteral("BackColor"));
    }
    if (old.displayAsDefault != ambient.displayAsDefault) {
        UserControl_AmbientChanged(QStringLiteral("DisplayAsDefault"));
    }
}

bool UserControl::AmbientUserMode() const {
    return host_.UserMode();
}

void UserControl::PropertyChanged(const QString& name) {
    emit PropertyChangeNotified(name);
}

std::int32_t UserControl::Left() const {
    return HostContext::ToTwips(x());
}

std::int32_t UserControl::Top() const {
    return HostContext::ToTwips(y());
}

std::int32_t UserControl::Width() const {
    return HostContext::ToTwips(width());
}

std::int32_t UserControl::Height() const {
    return HostContext::ToTwips(height());
}

void UserControl::SetWidth(std::int32_t twips) {
    ApplySize(HostContext::ToPixels(twips), height());
}

void UserControl::SetHeight(std::int32_t twips) {
    ApplySize(width(), HostContext::ToPixels(twips));
}

void UserControl::Move(std::int32_t leftTwips, std::int32_t topTwips, std::int32_t widthTwips,
                       std::int32_t heightTwips) {
    move(HostContext::ToPixels(leftTwips), HostContext::ToPixels(topTwips));
    ApplySize(HostContext::ToPixels(widthTwips), HostContext::ToPixels(heightTwips));
}

void UserControl::ApplySize(int widthPixels, int heightPixels) {
    resize(std::clamp(widthPixels, 0, MaxSide), std::clamp(heightPixels, 0, MaxSide));
    SyncSurface();
}

void UserControl::SyncSurface() {
    if (!surface_.Resize(size().boundedTo(QSize(MaxSide, MaxSide)))) {
        return;
    }
    paintPending_ = true;
    update();
    if (loaded_ && !terminated_ && resizeDepth_ < 4) {
        ++resizeDepth_;
        UserControl_Resize();
        --resizeDepth_;
    }
}

void UserControl::SetBackColor(gdi::Colour colour) {
    surface_.SetBackColor(colour);
    update();
}

void UserControl::SetEnabled(bool enabled) {
    enabled_ = enabled;
    setEnabled(enabled);
}

bool UserControl::SetMousePointer(std::int16_t pointer) {
    if (!MousePointers::IsValid(pointer)) {
        return false;
    }
    mousePointer_ = pointer;
    ApplyCursor();
    return true;
}

bool UserControl::SetMouseIcon(const PictureObject& icon) {
    if (!icon.IsEmpty() && icon.Type() != PictureType::Icon) {
        return false;
    }
    mouseIcon_ = icon;
    ApplyCursor();
    return true;
}

void UserControl::ApplyCursor() {
    if (const std::optional<QCursor> cursor = MousePointers::Cursor(mousePointer_, mouseIcon_)) {
        setCursor(*cursor);
    } else {
        unsetCursor();
    }
}

void UserControl::SetAccessKeys(const QString& keys) {
    for (QShortcut* shortcut : shortcuts_) {
        delete shortcut;
    }
    shortcuts_.clear();
    accessKeys_ = keys;
    QString seen;
    for (const QChar key : keys) {
        const QChar upper = key.toUpper();
        if (!upper.isLetterOrNumber() || upper.unicode() > 127 || seen.contains(upper)) {
            continue;
        }
        seen.append(upper);
        auto* shortcut =
            new QShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(upper.unicode()))), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, key] { FireAccessKey(key); });
        connect(shortcut, &QShortcut::activatedAmbiguously, this, [this, key] { FireAccessKey(key); });
        shortcuts_.push_back(shortcut);
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
    FlushSurface();
}

void UserControl::SetPicture(const PictureObject& picture) {
    surface_.SetPicture(picture);
    update();
}

void UserControl::Cls() {
    surface_.Clear();
    update();
}

void UserControl::Refresh() {
    if (painting_) {
        return; // the surface is being put on the screen right now
    }
    paintPending_ = true;
    if (isVisible()) {
        repaint();
    } else {
        update();
    }
}

void UserControl::FlushSurface() {
    if (surface_.Image().cacheKey() != shownKey_) {
        update();
    }
}

void UserControl::paintEvent(QPaintEvent* event) {
    painting_ = true;
    if (paintPending_ && loaded_ && !terminated_ && !autoRedraw_) {
        paintPending_ = false;
        UserControl_Paint();
    }
    paintPending_ = false;
    const QImage& surface = surface_.Image();
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect area = event->rect();
    painter.drawImage(area.topLeft(), surface, area);
    shownKey_ = surface.cacheKey();
    painting_ = false;
}

void UserControl::resizeEvent(QResizeEvent*) {
    SyncSurface();
}

void UserControl::showEvent(QShowEvent* event) {
    if (event->spontaneous() || !loaded_ || terminated_ || shown_) {
        return;
    }
    shown_ = true;
    paintPending_ = true;
    UserControl_Show();
    FlushSurface();
}

void UserControl::hideEvent(QHideEvent* event) {
    if (event->spontaneous() || !shown_ || terminated_) {
        return;
    }
    shown_ = false;
    UserControl_Hide();
}

bool UserControl::InsideForClick(const QPointF& position) const {
    const QPoint point(int(std::floor(position.x())), int(std::floor(position.y())));
    return rect().contains(point) && (mask().isEmpty() || mask().contains(point));
}

void UserControl::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (!loaded_ || terminated_) {
        return;
    }
    if (clicks_.OnPress(*event) == ClickTracker::Press::Double) {
        UserControl_DblClick();
        FlushSurface();
        return;
    }
    std::int16_t button = InputCodes::Button(event->button());
    std::int16_t shift = InputCodes::Shift(event->modifiers());
    float x = Coordinate(event->position().x());
    float y = Coordinate(event->position().y());
    UserControl_MouseDown(button, shift, x, y);
    FlushSurface();
}

void UserControl::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (!loaded_ || terminated_) {
        return;
    }
    std::int16_t button = InputCodes::Buttons(event->buttons());
    std::int16_t shift = InputCodes::Shift(event->modifiers());
    float x = Coordinate(event->position().x());
    float y = Coordinate(event->position().y());
    UserControl_MouseMove(button, shift, x, y);
    FlushSurface();
}

void UserControl::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (!loaded_ || terminated_) {
        return;
    }
    std::int16_t button = InputCodes::Button(event->button());
    std::int16_t shift = InputCodes::Shift(event->modifiers());
    float x = Coordinate(event->position().x());
    float y = Coordinate(event->position().y());
    const bool clicks = clicks_.OnRelease(*event, InsideForClick(event->position()));
    UserControl_MouseUp(button, shift, x, y);
    if (clicks && !terminated_) {
        UserControl_Click();
    }
    FlushSurface();
}

void UserControl::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (!loaded_ || terminated_) {
        return;
    }
    if (clicks_.OnDoubleClickEvent(*event)) {
        UserControl_DblClick();
        FlushSurface();
    }
}

void UserControl::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (!loaded_ || terminated_) {
        return;
    }
    std::int16_t keyCode = InputCodes::KeyCode(event->key());
    std::int16_t shift = InputCodes::Shift(event->modifiers());
    if (keyCode != 0) {
        UserControl_KeyDown(keyCode, shift);
    }
    std::int16_t keyAscii = InputCodes::KeyAscii(*event);
    if (keyAscii != 0 && !terminated_) {
        UserControl_KeyPress(keyAscii);
    }
    FlushSurface();
}

void UserControl::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
    if (!loaded_ || terminated_ || event->isAutoRepeat()) {
        return;
    }
    std::int16_t keyCode = InputCodes::KeyCode(event->key());
    std::int16_t shift = InputCodes::Shift(event->modifiers());
    if (keyCode != 0) {
        UserControl_KeyUp(keyCode, shift);
    }
    FlushSurface();
}

void UserControl::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (loaded_ && !terminated_) {
        UserControl_GotFocus();
        FlushSurface();
    }
}

void UserControl::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    if (loaded_ && !terminated_) {
        UserControl_LostFocus();
        FlushSurface();
    }
}

void UserControl::UserControl_MouseDown(std::int16_t&, std::int16_t&, float&, float&) {}
void UserControl::UserControl_MouseMove(std::int16_t&, std::int16_t&, float&, float&) {}
void UserControl::UserControl_MouseUp(std::int16_t&, std::int16_t&, float&, float&) {}
void UserControl::UserControl_KeyDown(std::int16_t&, std::int16_t&) {}
void UserControl::UserControl_KeyUp(std::int16_t&, std::int16_t&) {}
void UserControl::UserControl_KeyPress(std::int16_t&) {}

} // namespace kelvo::host
