// fuzz-links: kelvo_system
//
// Input: "section\nkey\nvalue\n" followed by the bytes of an INI file. Reads the entry with several buffer
// sizes, writes it through an in-memory storage and checks what must hold for any file: the buffer
// contract, a plain entry reads back as written, no other entry changes, a repeated write stores nothing, and
// a file with a UTF-16 byte-order mark keeps it (or, when it would not come back byte for byte, is not
// written at all).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/system/Profile.h"

using namespace kelvo::system;

namespace {

class MemoryStorage final : public ProfileStorage {
public:
    explicit MemoryStorage(QByteArray file)
        : file_(std::move(file)) {}
    std::optional<QByteArray> Read(const QString&) override { return file_; }
    bool Replace(const QString&, const QByteArray& content) override {
        ++replaceCalls_;
        file_ = content;
        return true;
    }
    int ReplaceCalls() const { return replaceCalls_; }
    const QByteArray& File() const { return file_; }

private:
    QByteArray file_;
    int replaceCalls_ = 0;
};

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Reads into a buffer of exactly the given size followed by guard bytes that must stay untouched.
QByteArray Read(ProfileStorage& storage, QByteArrayView section, QByteArrayView key, qsizetype size) {
    constexpr char Guard = 0x5a;
    constexpr qsizetype GuardSize = 8;
    std::vector<char> buffer(static_cast<std::size_t>(size + GuardSize), Guard);
    const qsizetype copied =
        GetPrivateProfileString(section, key, "default", buffer.data(), size, QString(), storage);
    for (qsizetype i = size; i < size + GuardSize; ++i) {
        Check(buffer[static_cast<std::size_t>(i)] == Guard);
    }
    if (size == 0) {
        Check(copied == 0 && buffer.front() == Guard);
        return QByteArray();
    }
    Check(copied >= 0 && copied < size && buffer[static_cast<std::size_t>(copied)] == '\0');
    return QByteArray(buffer.data(), copied);
}

// Names and values that no trimming, quoting or comment rule touches.
bool IsPlain(QByteArrayView text, bool allowEmpty) {
    if (text.isEmpty()) {
        return allowEmpty;
    }
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
               c == '.' || c == '-';
    });
}

bool SameName(QByteArrayView a, QByteArrayView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QByteArrayView NextLine(QByteArrayView& input) {
    const auto end = std::find(input.begin(), input.end(), '\n');
    const QByteArrayView line = input.first(end - input.begin());
    input = input.sliced(end == input.end() ? input.size() : line.size() + 1);
    return line;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QByteArrayView section = NextLine(input);
    const QByteArrayView key = NextLine(input);
    const QByteArrayView value = NextLine(input);
    MemoryStorage storage{input.toByteArray()};

    const QByteArray full = Read(storage, section, key, 4096);
    for (const qsizetype bufferSize : {0, 1, 2, 3, 7, 64}) {
        const QByteArray part = Read(storage, section, key, bufferSize);
        Check(full.startsWith(part));
    }

    const bool plain = IsPlain(section, false) && IsPlain(key, false) && IsPlain(value, true);
    std::vector<std::pair<QByteArray, QByteArray>> others;
    if (plain) {
        for (const QByteArray& probeSection : {section.toByteArray(), QByteArray("a"), QByteArray("B")}) {
            for (const QByteArray& probeKey : {key.toByteArray(), QByteArray("k"), QByteArray("X")}) {
                if (!SameName(probeSection, section) || !SameName(probeKey, key)) {
                    others.emplace_back(probeSection, probeKey);
                }
            }
        }
    }
    std::vector<QByteArray> before;
    for (const auto& [probeSection, probeKey] : others) {
        before.push_back(Read(storage, probeSection, probeKey, 256));
    }

    const QByteArray utf16Mark = input.startsWith("\xFF\xFE") || input.startsWith("\xFE\xFF")
                                     ? input.first(2).toByteArray()
                                     : QByteArray();
    const bool written = WritePrivateProfileString(section, key, value, QString(), storage);
    Check(!written || storage.File().startsWith(utf16Mark));
    if (!plain) {
        return 0;
    }
    Check(written || !utf16Mark.isEmpty());
    if (!written) {
        Check(storage.ReplaceCalls() == 0);
        return 0;
    }
    Check(Read(storage, section, key, value.size() + 1) == value);
    for (std::size_t i = 0; i < others.size(); ++i) {
        Check(Read(storage, others[i].first, others[i].second, 256) == before[i]);
    }
    const int calls = storage.ReplaceCalls();
    Check(WritePrivateProfileString(section, key, value, QString(), storage));
    Check(storage.ReplaceCalls() == calls);
    return 0;
}
