#pragma once

#include <QList>
#include <QString>

namespace kelvo::host {

// Maps the font names that stored properties carry (the Windows faces the layout was designed with) to
// families installed here. The chosen families keep every caption of the fixed pixel layout inside its box:
// the narrow Liberation face stands in for the small "MS Sans Serif" bitmap face, DejaVu Sans (drawn after
// the same model) for "Verdana", and its condensed cut for the narrower "Tahoma".
class FontSubstitution {
public:
    struct Entry {
        QString name;
        QString family;
    };

    // The program's table, with "DejaVu Sans" for every name it does not know.
    FontSubstitution();
    FontSubstitution(QList<Entry> entries, QString fallback);

    // The installed family for a stored name; names compare without regard to case and surrounding blanks.
    QString Family(const QString& name) const;
    const QString& Fallback() const { return fallback_; }

    // The pixel size a point size has at 96 DPI (8.25 pt -> 11 px), halves to even, at least 1 and at
    // most MaxPixelSize; sizes that are not finite or not above zero give 1.
    static int PixelSize(double points);
    static constexpr int MaxPixelSize = 1024;

private:
    QList<Entry> entries_;
    QString fallback_;
};

} // namespace kelvo::host
