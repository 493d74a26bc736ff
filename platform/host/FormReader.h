#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "FormDescription.h"
#include "FormError.h"

namespace kelvo::host {

class PictureLoader;

// Reads form files: a JSON object with the form's own fields and its instances,
//   {"form": "frmMain", "caption": "Kelvo", "clientWidth": 5565, "clientHeight": 5220,
//    "backColor": "0x00E0E0E0", "picture": {"path": "back.jpg", "type": 1}, "borderStyle": 1,
//    "font": {"name": "MS Sans Serif", "size": 8.25, ...},
//    "instances": [{"kind": "Label", "name": "lblM", "index": 0, "left": 2010, "top": 870,
//                   "width": 1455, "height": 255, "properties": {"Caption": {"text": "0"}}}]}
// with positions and sizes in twips and properties as PropertyCodec writes them. "form", "clientWidth"
// and "clientHeight" are required of the form, "kind" and "name" of an instance; everything else has a
// default. Every problem is reported with the file, the instance and the key; a bad value drops only
// that value (its default applies), a bad instance only that instance. Only input that is not a JSON
// object at all gives no form.
class FormReader {
public:
    struct Result {
        std::optional<FormSpec> form;
        FormErrors errors;
    };

    explicit FormReader(PictureLoader& pictures);

    Result Read(const QByteArray& bytes, const QString& fileName);
    // Reads a file or a Qt resource; pictures named by relative paths are looked for beside it.
    static Result ReadFile(const QString& path);

    static constexpr qint64 MaxBytes = qint64{16} * 1024 * 1024;

private:
    PictureLoader& pictures_;
};

} // namespace kelvo::host
