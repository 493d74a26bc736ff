#include "Profile.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <QStringDecoder>
#include <QStringEncoder>

namespace kelvo::system {

namespace {

// A UTF-8 byte-order mark written by some editors. It is not part of the first line's text, but it stays
// in the file: a write copies every byte it does not own.
constexpr QByteArrayView ByteOrderMark("\xEF\xBB\xBF", 3);
constexpr QByteArrayView LineBreak("\r\n", 2);

// A file saved as UTF-16 (Windows editors do, with a byte-order mark) is handled as its UTF-8 text and
// written back as UTF-16 in its own byte order, mark first. A file that would not come back byte for byte
// (an odd length, a broken surrogate) is read but never rewritten.
struct FileText {
    QByteArray text;
    std::optional<QStringConverter::Encoding> utf16;
    bool rewritable = true;
};

QByteArray Encoded(const QByteArray& text, QStringConverter::Encoding utf16) {
    QStringEncoder encoder(utf16);
    const QByteArray mark =
        utf16 == QStringConverter::Utf16LE ? QByteArray("\xFF\xFE", 2) : QByteArray("\xFE\xFF", 2);
    return mark + QByteArray(encoder(QString::fromUtf8(text)));
}

FileText Decoded(QByteArray file) {
    const std::optional<QStringConverter::Encoding> utf16 =
        file.startsWith("\xFF\xFE")   ? std::optional(QStringConverter::Utf16LE)
        : file.startsWith("\xFE\xFF") ? std::optional(QStringConverter::Utf16BE)
                                      : std::nullopt;
    if (!utf16) {
        return {std::move(file), std::nullopt, true};
    }
    // The mark is taken off here; a second one after it is text and stays.
    QStringDecoder decoder(*utf16, QStringConverter::Flag::ConvertInitialBom);
    const QString decoded = decoder(QByteArrayView(file).sliced(2));
    FileText result{decoded.toUtf8(), utf16, true};
    result.rewritable = !decoder.hasError() && Encoded(result.text, *utf16) == file;
    return result;
}

// ^Z (0x1A) is the end-of-file mark of old DOS editors; it is trimmed like a blank.
bool IsLineBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\x1a';
}

bool IsSpaceOrTab(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView TrimLeading(QByteArrayView text, bool (*isBlank)(char)) {
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    return text.sliced(first - text.begin());
}

QByteArrayView TrimTrailing(QByteArrayView text, bool (*isBlank)(char)) {
    qsizetype size = text.size();
    while (size > 0 && isBlank(text[size - 1])) {
        --size;
    }
    return text.first(size);
}

QByteArrayView Trim(QByteArrayView text) {
    return TrimTrailing(TrimLeading(text, IsLineBlank), IsLineBlank);
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(QByteArrayView a, QByteArrayView b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

bool ContainsLineBreak(QByteArrayView text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; });
}

// One pair of matching quotes around the whole value is not part of it.
QByteArrayView StripQuotes(QByteArrayView value) {
    if (value.size() > 1 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.sliced(1, value.size() - 2);
    }
    return value;
}

// Entry is a line that belongs to its section's content without being a key (no '='); new keys go after
// the last key or entry so that they stay inside the block the user wrote.
enum class LineKind { Blank, Comment, Section, Key, Entry };

struct Line {
    qsizetype begin = 0; // first byte of the line's text (after the byte-order mark on the first line)
    qsizetype end = 0;   // one past the text, where the line break starts
    qsizetype next = 0;  // one past the line break
    LineKind kind = LineKind::Blank;
    QByteArrayView name;  // section or key name, trimmed
    QByteArrayView value; // a key's value as stored, blanks trimmed, quotes kept
};

void Classify(Line& line, QByteArrayView text) {
    const QByteArrayView trimmed = Trim(text);
    if (trimmed.isEmpty()) {
        line.kind = LineKind::Blank;
        return;
    }
    if (trimmed.front() == ';') {
        line.kind = LineKind::Comment;
        return;
    }
    if (trimmed.front() == '[') {
        // The header runs to the last ']', so a name may itself contain ']'. Without one the line is
        // read as a key line.
        const auto close = std::find(trimmed.rbegin(), trimmed.rend() - 1, ']');
        if (close != trimmed.rend() - 1) {
            const qsizetype closeIndex = trimmed.rend() - close - 1;
            line.kind = LineKind::Section;
            line.name = Trim(trimmed.sliced(1, closeIndex - 1));
            return;
        }
    }
    const auto equals = std::find(trimmed.begin(), trimmed.end(), '=');
    if (equals == trimmed.end()) {
        line.kind = LineKind::Entry;
        return;
    }
    const qsizetype equalsIndex = equals - trimmed.begin();
    line.kind = LineKind::Key;
    line.name = TrimTrailing(trimmed.first(equalsIndex), IsLineBlank);
    line.value = TrimLeading(trimmed.sliced(equalsIndex + 1), IsLineBlank);
}

// Splits the file at CR LF, LF or lone CR, in any mix. NUL bytes are ordinary bytes of their line.
std::vector<Line> ParseLines(QByteArrayView file) {
    std::vector<Line> lines;
    qsizetype position = file.startsWith(ByteOrderMark) ? ByteOrderMark.size() : 0;
    const char* const data = file.data();
    while (position < file.size()) {
        Line line;
        line.begin = position;
        const char* const breakAt =
            std::find_if(data + position, data + file.size(), [](char c) { return c == '\r' || c == '\n'; });
        line.end = breakAt - data;
        line.next = line.end;
        if (line.next < file.size()) {
            const bool crLf =
                file[line.next] == '\r' && line.next + 1 < file.size() && file[line.next + 1] == '\n';
            line.next += crLf ? 2 : 1;
        }
        Classify(line, file.sliced(line.begin, line.end - line.begin));
        lines.push_back(line);
        position = line.next;
    }
    return lines;
}

struct Lookup {
    std::optional<std::size_t> section; // the first header of the section
    std::optional<std::size_t> key;     // the first line of the key in any header of that name
};

// Duplicate sections of one name act as one: the first occurrence of the key across them wins.
Lookup Find(const std::vector<Line>& lines, QByteArrayView section, QByteArrayView key) {
    Lookup found;
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        if (line.kind == LineKind::Section) {
            inSection = EqualsIgnoringCase(line.name, section);
            if (inSection && !found.section) {
                found.section = i;
            }
        } else if (inSection && line.kind == LineKind::Key && EqualsIgnoringCase(line.name, key)) {
            found.key = i;
            return found;
        }
    }
    return found;
}

// Where a new key of the section at header goes: after the section's last key or entry, so blank lines
// and comments that follow the block stay in front of the next section. Returns that line's index.
std::size_t InsertAfter(const std::vector<Line>& lines, std::size_t header) {
    std::size_t last = header;
    for (std::size_t i = header + 1; i < lines.size() && lines[i].kind != LineKind::Section; ++i) {
        if (lines[i].kind == LineKind::Key || lines[i].kind == LineKind::Entry) {
            last = i;
        }
    }
    return last;
}

bool EndsWithLineBreak(QByteArrayView file) {
    return !file.isEmpty() && (file.back() == '\n' || file.back() == '\r');
}

QByteArray KeyLine(QByteArrayView key, QByteArrayView value) {
    QByteArray line;
    line.reserve(key.size() + value.size() + 1);
    line.append(key).append('=').append(value);
    return line;
}

} // namespace

qsizetype GetPrivateProfileString(QByteArrayView section, QByteArrayView key, QByteArrayView defaultValue,
                                  char* buffer, qsizetype bufferSize, const QString& path,
                                  ProfileStorage& storage) {
    if (buffer == nullptr || bufferSize <= 0) {
        return 0;
    }
    const QByteArrayView wantedSection = Trim(section);
    const QByteArrayView wantedKey = Trim(key);
    QByteArrayView result = TrimTrailing(defaultValue, IsSpaceOrTab);
    // The file's bytes must outlive result, which may point into them.
    std::optional<QByteArray> file;
    if (!wantedSection.isEmpty() && !wantedKey.isEmpty()) {
        file = storage.Read(path);
    }
    if (file) {
        file = Decoded(std::move(*file)).text;
        const std::vector<Line> lines = ParseLines(*file);
        const Lookup found = Find(lines, wantedSection, wantedKey);
        if (found.key) {
            result = StripQuotes(lines[*found.key].value);
        }
    }
    const qsizetype copied = std::min(result.size(), bufferSize - 1);
    if (copied > 0) {
        std::memcpy(buffer, result.data(), static_cast<std::size_t>(copied));
    }
    buffer[copied] = '\0';
    return copied;
}

bool WritePrivateProfileString(QByteArrayView section, QByteArrayView key, QByteArrayView value,
                               const QString& path, ProfileStorage& storage) {
    const QByteArrayView wantedSection = Trim(section);
    const QByteArrayView wantedKey = Trim(key);
    const QByteArrayView newValue = TrimLeading(value, IsSpaceOrTab);
    if (wantedSection.isEmpty() || wantedKey.isEmpty() || ContainsLineBreak(wantedSection) ||
        ContainsLineBreak(wantedKey) || ContainsLineBreak(newValue)) {
        return false;
    }
    std::optional<QByteArray> read = storage.Read(path);
    if (!read && storage.Exists(path)) {
        return false;
    }
    const FileText decoded = Decoded(read ? std::move(*read) : QByteArray());
    if (!decoded.rewritable) {
        return false;
    }
    const QByteArray& file = decoded.text;
    const std::vector<Line> lines = ParseLines(file);
    const Lookup found = Find(lines, wantedSection, wantedKey);

    QByteArray content;
    if (found.key) {
        // Only the key's own text changes; its spelling in the file and its line break stay.
        const Line& line = lines[*found.key];
        if (line.value == newValue) {
            return true;
        }
        const QByteArray replacement = KeyLine(line.name, newValue);
        content.reserve(file.size() - (line.end - line.begin) + replacement.size());
        content.append(QByteArrayView(file).first(line.begin))
            .append(replacement)
            .append(QByteArrayView(file).sliced(line.end));
    } else if (found.section) {
        const Line& after = lines[InsertAfter(lines, *found.section)];
        QByteArray insertion;
        if (after.next == after.end) {
            insertion.append(LineBreak); // the section's last line ends the file without a line break
        }
        insertion.append(KeyLine(wantedKey, newValue)).append(LineBreak);
        content.reserve(file.size() + insertion.size());
        content.append(QByteArrayView(file).first(after.next))
            .append(insertion)
            .append(QByteArrayView(file).sliced(after.next));
    } else {
        content = file;
        const QByteArrayView text =
            QByteArrayView(file).sliced(file.startsWith(ByteOrderMark) ? ByteOrderMark.size() : 0);
        if (!text.isEmpty() && !EndsWithLineBreak(text)) {
            content.append(LineBreak);
        }
        content.append('[').append(wantedSection).append(']').append(LineBreak);
        content.append(KeyLine(wantedKey, newValue)).append(LineBreak);
    }
    return storage.Replace(path, decoded.utf16 ? Encoded(content, *decoded.utf16) : content);
}

} // namespace kelvo::system
