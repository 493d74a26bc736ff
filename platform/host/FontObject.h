#pragma once

#include <QFont>
#include <QString>

namespace kelvo::host {

class FontSubstitution;

// A font as controls store and hand it around: a face name, a size in points (single precision) and four
// style flags. It is a plain value; the installed font it stands for comes from ToQFont.
class FontObject {
public:
    // "MS Sans Serif" 8.25 pt, the face every form of the program starts with.
    FontObject();
    FontObject(QString name, float size, bool bold = false, bool italic = false, bool underline = false,
               bool strikethrough = false);

    const QString& Name() const { return name_; }
    void SetName(const QString& name) { name_ = name; }
    float Size() const { return size_; }
    // Sizes that are not finite or not in (0, MaxSize] are refused and leave the size as it was.
    bool SetSize(float points);
    static bool IsValidSize(double points);
    static constexpr float MaxSize = 2048.0f;

    bool Bold() const { return bold_; }
    void SetBold(bool bold) { bold_ = bold; }
    bool Italic() const { return italic_; }
    void SetItalic(bool italic) { italic_ = italic; }
    bool Underline() const { return underline_; }
    void SetUnderline(bool underline) { underline_ = underline; }
    bool Strikethrough() const { return strikethrough_; }
    void SetStrikethrough(bool strikethrough) { strikethrough_ = strikethrough; }

    // The pixel size at 96 DPI (8.25 pt -> 11 px).
    int PixelSize() const;
    // The installed font that stands in for this one, at its pixel size, without kerning (the layout's
    // measurements were made with unkerned text).
    QFont ToQFont(const FontSubstitution& substitution) const;

    friend bool operator==(const FontObject&, const FontObject&) = default;

private:
    QString name_;
    float size_ = 8.25f;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
    bool strikethrough_ = false;
};

} // namespace kelvo::host
