#pragma once

#include <optional>
#include <vector>

#include <QHash>
#include <QList>
#include <QString>

#include "PropertyValue.h"

namespace kelvo::host {

// A problem with one stored property: which key, and what was wrong with it.
struct PropertyError {
    QString key;
    QString message;
    QString ToString() const { return QStringLiteral("key \"%1\": %2").arg(key, message); }
};

// The typed values a control keeps between sessions, under keys that compare without regard to case.
// Read gives the stored value or the default; Write stores a value unless it equals the default given
// (then any earlier value under that key is removed, so the default applies again on reading). A value of
// the wrong type is an error of that key alone: the default is returned and the error recorded, and the
// other keys read on as usual.
class PropertyBag {
public:
    struct Entry {
        QString key;
        PropertyValue value;
    };

    template <PropertyValueType T> T Read(const QString& key, const T& defaultValue);
    QString Read(const QString& key, const char* defaultValue) {
        return Read(key, QString::fromUtf8(defaultValue));
    }

    template <PropertyValueType T> void Write(const QString& key, const T& value, const T& defaultValue);
    template <PropertyValueType T> void Write(const QString& key, const T& value) {
        Set(key, PropertyValue(value));
    }
    void Write(const QString& key, const char* value) { Write(key, QString::fromUtf8(value)); }

    // The error of the latest Read or Write (each call clears it first), and every error so far.
    const std::optional<PropertyError>& LastError() const { return lastError_; }
    const QList<PropertyError>& Errors() const { return errors_; }
    QList<PropertyError> TakeErrors();
    // Records an error found by the reader of a value (a number out of the range a control accepts).
    void ReportError(const QString& key, const QString& message);

    bool Contains(const QString& key) const { return Find(key) >= 0; }
    const PropertyValue* Value(const QString& key) const;
    void Set(const QString& key, PropertyValue value);
    bool Remove(const QString& key);

    // The entries in the order their keys were first stored.
    const std::vector<Entry>& Entries() const { return entries_; }
    qsizetype Count() const { return qsizetype(entries_.size()); }
    bool IsEmpty() const { return entries_.empty(); }

    // Same keys (without regard to case) holding equal values of the same types.
    friend bool operator==(const PropertyBag& a, const PropertyBag& b);

private:
    static QString Folded(const QString& key) { return key.toCaseFolded(); }
    qsizetype Find(const QString& key) const;
    void Reindex();

    std::vector<Entry> entries_;
    QHash<QString, qsizetype> index_;
    std::optional<PropertyError> lastError_;
    QList<PropertyError> errors_;
};

} // namespace kelvo::host
