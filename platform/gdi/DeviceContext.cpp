#include "platform/gdi/DeviceContext.h"

#include <QGuiApplication>
#include <QScreen>

namespace kelvo::gdi {

namespace {

template <typename T> std::shared_ptr<T> StockAs(int index) {
    const SelectedObject stock = GetStockObject(index);
    return std::get<std::shared_ptr<T>>(stock.Get());
}

std::shared_ptr<BitmapData> MonochromeOneByOne() {
    auto data = std::make_shared<BitmapData>();
    data->image = QImage(1, 1, QImage::Format_RGB32);
    data->image.fill(0xFF000000u);
    data->monochrome = true;
    return data;
}

} // namespace

DeviceContext::DeviceContext(QImage& surface, const SysColours& colours)
    : DeviceContext(Kind::Surface, colours, &surface, nullptr) {}

DeviceContext::DeviceContext(Kind kind, const SysColours& colours, QImage* surface, QWidget* window)
    : kind_(kind)
    , colours_(&colours)
    , surface_(surface)
    , window_(window)
    , pen_(StockAs<const PenData>(BLACK_PEN))
    , brush_(StockAs<const BrushData>(WHITE_BRUSH))
    , font_(StockAs<const FontData>(SYSTEM_FONT)) {
    if (kind_ == Kind::Memory) {
        bitmap_ = MonochromeOneByOne();
        bitmap_->selectedInto = this;
    }
    ObjectCount::Add(ObjectKind::DeviceContext);
}

DeviceContext::~DeviceContext() {
    if (bitmap_ && bitmap_->selectedInto == this) {
        bitmap_->selectedInto = nullptr;
    }
    ObjectCount::Remove(ObjectKind::DeviceContext);
}

std::unique_ptr<DeviceContext> DeviceContext::Create(Kind kind, const SysColours& colours, QWidget* window) {
    if (kind == Kind::Surface) {
        return nullptr;
    }
    return std::unique_ptr<DeviceContext>(new DeviceContext(kind, colours, nullptr, window));
}

QImage* DeviceContext::Target(bool refreshWindow) {
    QImage* image = nullptr;
    switch (kind_) {
    case Kind::Surface:
        image = surface_;
        break;
    case Kind::Memory:
        image = bitmap_ ? &bitmap_->image : nullptr;
        break;
    case Kind::Display:
        return nullptr;
    case Kind::Window:
        if (!window_) {
            return nullptr;
        }
        if (refreshWindow || windowPicture_.isNull()) {
            windowPicture_ = window_->grab().toImage().convertToFormat(QImage::Format_RGB32);
        }
        image = &windowPicture_;
        break;
    }
    if (image == nullptr || image->isNull() ||
        (image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32)) {
        return nullptr;
    }
    return image;
}

DrawingState DeviceContext::State() const {
    return DrawingState{pen_.get(), brush_.get(), font_.get(),  bitmap_.get(), textColour_, bkColour_,
                        bkMode_,    rop2_,        brushOrigin_, currentX_,     currentY_,   *colours_};
}

int DeviceContext::BitsPerPixel() const {
    return (kind_ == Kind::Memory && bitmap_ && bitmap_->monochrome) ? 1 : 32;
}

SelectedObject DeviceContext::Select(const std::shared_ptr<const PenData>& pen) {
    if (!pen) {
        return SelectedObject();
    }
    return SelectedObject(SelectedObject::Value(std::exchange(pen_, pen)));
}

SelectedObject DeviceContext::Select(const std::shared_ptr<const BrushData>& brush) {
    if (!brush) {
        return SelectedObject();
    }
    return SelectedObject(SelectedObject::Value(std::exchange(brush_, brush)));
}

SelectedObject DeviceContext::Select(const std::shared_ptr<const FontData>& font) {
    if (!font) {
        return SelectedObject();
    }
    return SelectedObject(SelectedObject::Value(std::exchange(font_, font)));
}

SelectedObject DeviceContext::Select(const std::shared_ptr<BitmapData>& bitmap) {
    if (!bitmap || kind_ != Kind::Memory) {
        return SelectedObject();
    }
    if (bitmap->selectedInto != nullptr && bitmap->selectedInto != this) {
        return SelectedObject();
    }
    if (bitmap_) {
        bitmap_->selectedInto = nullptr;
    }
    bitmap->selectedInto = this;
    return SelectedObject(SelectedObject::Value(std::exchange(bitmap_, bitmap)));
}

DcPtr CreateCompatibleDC(DeviceContext* dc) {
    if (dc == nullptr) {
        return nullptr;
    }
    return DeviceContext::Create(DeviceContext::Kind::Memory, dc->Colours());
}

DcPtr CreateCompatibleDC(DeviceContext* dc, const SysColours& colours) {
    return DeviceContext::Create(DeviceContext::Kind::Memory, dc ? dc->Colours() : colours);
}

DcPtr CreateDCA(QStringView driver, const SysColours& colours) {
    if (driver.compare(u"DISPLAY", Qt::CaseInsensitive) != 0) {
        return nullptr;
    }
    return DeviceContext::Create(DeviceContext::Kind::Display, colours);
}

bool DeleteDC(DcPtr& dc) {
    if (!dc) {
        return false;
    }
    dc.reset();
    return true;
}

DcPtr GetDC(QWidget* window, const SysColours& colours) {
    if (window == nullptr) {
        return DeviceContext::Create(DeviceContext::Kind::Display, colours);
    }
    DcPtr dc = DeviceContext::Create(DeviceContext::Kind::Window, colours, window);
    dc->SetBkColour(Colour::FromQColor(window->palette().color(window->backgroundRole())));
    dc->SetTextColour(Colour::FromQColor(window->palette().color(window->foregroundRole())));
    return dc;
}

int ReleaseDC(QWidget* /*window*/, DcPtr& dc) {
    return DeleteDC(dc) ? 1 : 0;
}

int GetDeviceCaps(const DeviceContext& dc, int index) {
    switch (index) {
    case BITSPIXEL:
        return dc.BitsPerPixel();
    case PLANES:
        return 1;
    case HORZRES:
    case VERTRES: {
        QSize size;
        if (dc.GetKind() == DeviceContext::Kind::Surface || dc.GetKind() == DeviceContext::Kind::Memory) {
            QImage* image = const_cast<DeviceContext&>(dc).Target();
            size = image ? image->size() : QSize();
        } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            size = screen->size();
        }
        return index == HORZRES ? size.width() : size.height();
    }
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    default:
        return 0;
    }
}

Bitmap CreateCompatibleBitmap(const DeviceContext& dc, int width, int height) {
    return CreateBitmap(width, height, 1, dc.BitsPerPixel() == 1 ? 1 : 32);
}

SelectedObject SelectObject(DeviceContext& dc, const Pen& pen) {
    return dc.Select(std::shared_ptr<const PenData>(pen.Shared()));
}

SelectedObject SelectObject(DeviceContext& dc, const Brush& brush) {
    return dc.Select(std::shared_ptr<const BrushData>(brush.Shared()));
}

SelectedObject SelectObject(DeviceContext& dc, const Font& font) {
    return dc.Select(std::shared_ptr<const FontData>(font.Shared()));
}

SelectedObject SelectObject(DeviceContext& dc, const Bitmap& bitmap) {
    return dc.Select(bitmap.Shared());
}

SelectedObject SelectObject(DeviceContext& dc, const SelectedObject& object) {
    return std::visit(
        [&dc](const auto& value) -> SelectedObject {
            if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::monostate>) {
                return SelectedObject();
            } else {
                return dc.Select(value);
            }
        },
        object.Get());
}

Colour SetTextColor(DeviceContext& dc, Colour colour) {
    const Colour previous = dc.TextColour();
    dc.SetTextColour(colour);
    return previous;
}

Colour GetTextColor(const DeviceContext& dc) {
    return dc.TextColour();
}

Colour SetBkColor(DeviceContext& dc, Colour colour) {
    const Colour previous = dc.BkColour();
    dc.SetBkColour(colour);
    return previous;
}

Colour GetBkColor(const DeviceContext& dc) {
    return dc.BkColour();
}

bool DeviceContext::SetBkModeValue(int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) {
        return false;
    }
    bkMode_ = mode;
    return true;
}

bool DeviceContext::SetRop2Value(int rop2) {
    if (rop2 < R2_BLACK || rop2 > R2_WHITE) {
        return false;
    }
    rop2_ = rop2;
    return true;
}

int SetBkMode(DeviceContext& dc, int mode) {
    const int previous = dc.BkMode();
    return dc.SetBkModeValue(mode) ? previous : 0;
}

int GetBkMode(const DeviceContext& dc) {
    return dc.BkMode();
}

int SetROP2(DeviceContext& dc, int rop2) {
    const int previous = dc.Rop2();
    return dc.SetRop2Value(rop2) ? previous : 0;
}

int GetROP2(const DeviceContext& dc) {
    return dc.Rop2();
}

bool SetBrushOrgEx(DeviceContext& dc, int x, int y, QPoint* previous) {
    if (previous != nullptr) {
        *previous = dc.BrushOrigin();
    }
    dc.SetBrushOrigin(QPoint(x, y));
    return true;
}

} // namespace kelvo::gdi
