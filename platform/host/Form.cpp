#include "Form.h"

#include <QPainter>

#include "ControlFactory.h"
#include "HostContext.h"
#include "HostedAccessible.h"

namespace kelvo::host {

namespace {

QRect ToPixels(const QRect& twips) {
    return QRect(HostContext::ToPixels(twips.x()), HostContext::ToPixels(twips.y()),
                 HostContext::ToPixels(twips.width()), HostContext::ToPixels(twips.height()));
}

QRect ToTwips(const QRect& pixels) {
    return QRect(HostContext::ToTwips(pixels.x()), HostContext::ToTwips(pixels.y()),
                 HostContext::ToTwips(pixels.width()), HostContext::ToTwips(pixels.height()));
}

QString DisplayName(const QString& name, std::int32_t index) {
    return index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

} // namespace

Form::Form(HostContext& host, QWidget* parent)
    : QWidget(parent)
    , host_(host) {
    HostedAccessible::Install();
}

Form::~Form() {
    Unload();
}

FormErrors Form::Load(const FormSpec& spec, const ControlFactory& factory, const QString& file) {
    FormErrors errors;
    name_ = spec.name;
    setObjectName(spec.name);
    SetCaption(spec.caption);
    clientWidth_ = spec.clientWidth;
    clientHeight_ = spec.clientHeight;
    setFixedSize(HostContext::ToPixels(clientWidth_), HostContext::ToPixels(clientHeight_));
    backColor_ = spec.backColor;
    foreColor_ = spec.foreColor;
    picture_ = spec.picture;
    borderStyle_ = spec.borderStyle;
    font_ = spec.font;
    ApplyBorderStyle();
    for (const InstanceSpec& instance : spec.instances) {
        PropertyBag stored = instance.properties;
        Create(factory, instance, file, errors, &stored);
    }
    update();
    return errors;
}

HostedObject* Form::Add(const ControlFactory& factory, const QString& kind, const QString& name,
                        std::int32_t index, const QRect& twips, FormErrors* errors) {
    InstanceSpec spec;
    spec.kind = kind;
    spec.name = name;
    spec.index = index;
    spec.left = twips.x();
    spec.top = twips.y();
    spec.width = twips.width();
    spec.height = twips.height();
    FormErrors found;
    HostedObject* created = Create(factory, spec, QString(), found, nullptr);
    if (errors != nullptr) {
        errors->append(found);
    }
    return created;
}

HostedObject* Form::Create(const ControlFactory& factory, const InstanceSpec& spec, const QString& file,
                           FormErrors& errors, PropertyBag* stored) {
    const QString displayName = DisplayName(spec.name, spec.index);
    if (spec.name.isEmpty() || FindSite(spec.name, spec.index) != nullptr) {
        errors.append({file, displayName, QStringLiteral("name"),
                       QStringLiteral("the name and index are empty or taken by another instance")});
        return nullptr;
    }
    HostedObject* hosted = factory.Create(spec.kind, host_, this);
    if (hosted == nullptr) {
        errors.append({file, displayName, QStringLiteral("kind"),
                       QStringLiteral("there is no kind of instance called \"%1\"").arg(spec.kind)});
        return nullptr;
    }
    Site site;
    site.kind = spec.kind;
    site.name = spec.name;
    site.index = spec.index;
    site.object = hosted->Object();
    site.hosted = hosted;
    site.twips = QRect(spec.left, spec.top, spec.width, spec.height);
    site.pixels = ToPixels(site.twips);
    site.object->setObjectName(displayName);
    QWidget* widget = hosted->Widget();
    if (widget != nullptr) {
        // The size is in place before the instance starts, so its first look already has the right size.
        widget->setGeometry(site.pixels);
    }
    hosted->SetAmbient(AmbientFor(site));
    sites_.push_back(site);
    if (stored != nullptr) {
        stored->TakeErrors();
        hosted->LoadStored(*stored);
        for (const PropertyError& error : stored->Errors()) {
            errors.append({file, displayName, error.key, error.message});
        }
    } else {
        hosted->LoadNew();
    }
    if (widget != nullptr && !widget->testAttribute(Qt::WA_WState_ExplicitShowHide)) {
        widget->show();
    }
    return hosted;
}

FormSpec Form::Save() {
    FormSpec spec;
    spec.name = name_;
    spec.caption = caption_;
    spec.clientWidth = clientWidth_;
    spec.clientHeight = clientHeight_;
    spec.backColor = backColor_;
    spec.foreColor = foreColor_;
    spec.picture = picture_;
    spec.borderStyle = borderStyle_;
    spec.font = font_;
    for (Site& site : sites_) {
        if (site.object.isNull() || site.unloaded) {
            continue;
        }
        if (QWidget* widget = site.hosted->Widget(); widget != nullptr && widget->geometry() != site.pixels) {
            site.pixels = widget->geometry();
            site.twips = ToTwips(site.pixels);
        }
        InstanceSpec instance;
        instance.kind = site.kind;
        instance.name = site.name;
        instance.index = site.index;
        instance.left = site.twips.x();
        instance.top = site.twips.y();
        instance.width = site.twips.width();
        instance.height = site.twips.height();
        site.hosted->Save(instance.properties);
        spec.instances.push_back(std::move(instance));
    }
    return spec;
}

void Form::Unload() {
    for (Site& site : sites_) {
        if (!site.unloaded && !site.object.isNull()) {
            site.unloaded = true;
            site.hosted->Unload();
        }
    }
}

const Form::Site* Form::FindSite(const QString& name, std::int32_t index) const {
    for (const Site& site : sites_) {
        if (site.index == index && !site.object.isNull() &&
            site.name.compare(name, Qt::CaseInsensitive) == 0) {
            return &site;
        }
    }
    return nullptr;
}

QObject* Form::Instance(const QString& name, std::int32_t index) const {
    const Site* site = FindSite(name, index);
    return site == nullptr ? nullptr : site->object.data();
}

QList<std::int32_t> Form::Indices(const QString& name) const {
    QList<std::int32_t> indices;
    for (const Site& site : sites_) {
        if (site.index >= 0 && !site.object.isNull() && site.name.compare(name, Qt::CaseInsensitive) == 0) {
            indices.append(site.index);
        }
    }
    return indices;
}

void Form::SetCaption(const QString& caption) {
    caption_ = caption;
    setWindowTitle(caption);
}

std::int32_t Form::ClientWidth() const {
    return clientWidth_;
}

std::int32_t Form::ClientHeight() const {
    return clientHeight_;
}

void Form::SetBackColor(gdi::Colour colour) {
    backColor_ = colour;
    UpdateAmbients();
    update();
}

void Form::SetPicture(const PictureObject& picture) {
    picture_ = picture;
    update();
}

void Form::SetDefaultInstance(const QString& name, std::int32_t index) {
    defaultName_ = name;
    defaultIndex_ = index;
    UpdateAmbients();
}

AmbientValues Form::AmbientFor(const Site& site) const {
    AmbientValues ambient;
    ambient.displayName = DisplayName(site.name, site.index);
    ambient.font = font_;
    ambient.backColor = backColor_;
    ambient.displayAsDefault = site.index == defaultIndex_ && !defaultName_.isEmpty() &&
                               site.name.compare(defaultName_, Qt::CaseInsensitive) == 0;
    return ambient;
}

void Form::UpdateAmbients() {
    for (const Site& site : sites_) {
        if (!site.object.isNull() && !site.unloaded) {
            site.hosted->SetAmbient(AmbientFor(site));
        }
    }
}

void Form::ApplyBorderStyle() {
    if (!isWindow()) {
        return;
    }
    Qt::WindowFlags flags = Qt::Window;
    switch (borderStyle_) {
    case 0:
        flags |= Qt::FramelessWindowHint;
        break;
    case 1:
    case 3:
    case 4:
        // Fixed borders: a title and a close box, a minimize box for the single border, no maximize.
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
        if (borderStyle_ == 1) {
            flags |= Qt::WindowMinimizeButtonHint | Qt::WindowSystemMenuHint;
        }
        break;
    default:
        break;
    }
    setWindowFlags(flags);
}

void Form::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(host_.Resolve(backColor_).ToQRgb()));
    if (!picture_.IsEmpty()) {
        painter.drawImage(0, 0, picture_.Image());
    }
}

} // namespace kelvo::host
