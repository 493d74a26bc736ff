#pragma once

#include <QByteArray>
#include <QJsonObject>

#include "FormDescription.h"

namespace kelvo::host {

// Writes a form back in the layout FormReader reads. Every field is written, defaults included, so that
// a file in this canonical layout reads and writes back unchanged.
class FormWriter {
public:
    static QJsonObject ToJson(const FormSpec& form);
    static QByteArray Write(const FormSpec& form);
};

} // namespace kelvo::host
