#pragma once

#include <cstdint>
#include <vector>

#include <QPointer>
#include <QWidget>

#include "FormDescription.h"
#include "FormError.h"
#include "HostedObject.h"

namespace kelvo::host {

class ControlFactory;
class HostContext;

// A window described by a form file: a fixed client size, a caption, a background colour and picture,
// and the instances it holds, which it creates, looks up by name and index, writes back, and ends.
// Instances are children of the form; the form ends each of them (Hide, Terminate) before it goes.
class Form : public QWidget {
    Q_OBJECT

public:
    explicit Form(HostContext& host, QWidget* parent = nullptr);
    ~Form() override;

    // Takes the form's own values and creates every instance it describes as a stored instance
    // (Initialize, ReadProperties, Resize). Problems (unknown kinds, values the instances refuse) are
    // returned with the file, instance and key; the other instances load as usual.
    FormErrors Load(const FormSpec& spec, const ControlFactory& factory, const QString& file = QString());
    // Creates a new instance (Initialize, InitProperties, Resize) at a place given in twips; null with
    // an error when the kind is unknown or the name and index are taken.
    HostedObject* Add(const ControlFactory& factory, const QString& kind, const QString& name,
                      std::int32_t index, const QRect& twips, FormErrors* errors = nullptr);
    // The form and every instance as they are now, in the order they were created: each instance
    // writes its properties into a fresh store.
    FormSpec Save();
    // Ends every instance once (Hide when shown, then Terminate).
    void Unload();

    // The instance of that name (without regard to case) and array index (-1: not in an array).
    QObject* Instance(const QString& name, std::int32_t index = -1) const;
    template <typename T> T* Find(const QString& name, std::int32_t index = -1) const {
        return dynamic_cast<T*>(Instance(name, index));
    }
    // The indices of a control array, in creation order.
    QList<std::int32_t> Indices(const QString& name) const;
    int InstanceCount() const { return int(sites_.size()); }

    HostContext& Host() const { return host_; }
    const QString& Name() const { return name_; }
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    // The client size in twips.
    std::int32_t ClientWidth() const;
    std::int32_t ClientHeight() const;
    gdi::Colour BackColor() const { return backColor_; }
    void SetBackColor(gdi::Colour colour);
    // The colour of text drawn on the form itself; controls that follow their form's colours take it.
    gdi::Colour ForeColor() const { return foreColor_; }
    void SetForeColor(gdi::Colour colour) { foreColor_ = colour; }
    const PictureObject& Picture() const { return picture_; }
    void SetPicture(const PictureObject& picture);
    std::int16_t BorderStyle() const { return borderStyle_; }
    const FontObject& Font() const { return font_; }
    // Marks the instance whose look shows it is the default button (ambient DisplayAsDefault).
    void SetDefaultInstance(const QString& name, std::int32_t index = -1);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Site {
        QString kind;
        QString name;
        std::int32_t index = -1;
        QPointer<QObject> object;
        HostedObject* hosted = nullptr;
        // The stored place in twips and the pixels it gave, so that an instance nobody moved is written
        // back with exactly the twips it was read with.
        QRect twips;
        QRect pixels;
        bool unloaded = false;
    };

    HostedObject* Create(const ControlFactory& factory, const InstanceSpec& spec, const QString& file,
                         FormErrors& errors, PropertyBag* stored);
    const Site* FindSite(const QString& name, std::int32_t index) const;
    AmbientValues AmbientFor(const Site& site) const;
    void UpdateAmbients();
    void ApplyBorderStyle();

    HostContext& host_;
    QString name_;
    QString caption_;
    std::int32_t clientWidth_ = 0;
    std::int32_t clientHeight_ = 0;
    gdi::Colour backColor_{0x8000000Fu};
    gdi::Colour foreColor_{0x80000012u};
    PictureObject picture_;
    std::int16_t borderStyle_ = 2;
    FontObject font_;
    QString defaultName_;
    std::int32_t defaultIndex_ = -1;
    std::vector<Site> sites_;
};

} // namespace kelvo::host
