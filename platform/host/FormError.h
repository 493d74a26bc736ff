#pragma once

#include <QList>
#include <QString>

namespace kelvo::host {

// A problem found while reading or building a form: the file, the instance ("" for the form itself) and
// the key ("" when the problem is not one key's) it concerns, and what is wrong.
struct FormError {
    QString file;
    QString instance;
    QString key;
    QString message;

    QString ToString() const {
        QString text = QStringLiteral("%1: ").arg(file.isEmpty() ? QStringLiteral("<form>") : file);
        text += instance.isEmpty() ? QStringLiteral("form") : QStringLiteral("instance \"%1\"").arg(instance);
        if (!key.isEmpty()) {
            text += QStringLiteral(", key \"%1\"").arg(key);
        }
        return text + QStringLiteral(": ") + message;
    }
};

using FormErrors = QList<FormError>;

} // namespace kelvo::host
