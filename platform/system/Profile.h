#pragma once

#include <optional>
#include <set>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// INI profile files with the classic profile semantics: sections and keys compare without regard to
// case and are trimmed, values lose their leading blanks and one pair of matching quotes, the first of
// several duplicates wins. A write changes only the line of its key (or appends the key, or the
// section and the key) and keeps every other byte of the file.
namespace kelvo::system {

// Storage under the profile engine. Tests replace it to simulate unreadable files and failed writes.
class ProfileStorage {
public:
    virtual ~ProfileStorage() = default;
    // The file's bytes; empty when it does not exist, is not a regular file or cannot be read.
    virtual std::optional<QByteArray> Read(const QString& path) = 0;
    // Replaces the file's content as a whole; returns false and leaves the old file untouched when the
    // new content could not be stored completely.
    virtual bool Replace(const QString& path, const QByteArray& content) = 0;
    // Whether something is stored under path although Read gave nothing (a file without read permission,
    // a folder). A write never replaces what it could not read. The default suits storages whose Read
    // fails only for missing files.
    virtual bool Exists(const QString& path) {
        Q_UNUSED(path);
        return false;
    }
    // Why the last Read or Replace failed, in a few words; empty after one that succeeded.
    virtual QString Problem() const { return {}; }
};

// Real files, opened and followed as OwnFile.h says. Replace writes a temporary file in the same folder,
// flushes it to disk and renames it over the old one, so a crash or a full disk never leaves a half-written
// or empty settings file. A symbolic link of the user's own is written through: the file it leads to is
// replaced and the link stays. When the folder forbids new files (an administrator's installation where only
// the file itself was made writable), the existing file is rewritten in place and flushed instead.
class FileProfileStorage final : public ProfileStorage {
public:
    // Makes a temporary file from a mkostemp template (the trailing XXXXXX replaced in place); returns
    // its descriptor, or -1 with errno set. Tests replace it to stand for a folder without new files.
    using TemporaryFileMaker = int (*)(char* nameTemplate);

    explicit FileProfileStorage(TemporaryFileMaker makeTemporary = nullptr);

    std::optional<QByteArray> Read(const QString& path) override;
    bool Replace(const QString& path, const QByteArray& content) override;
    bool Exists(const QString& path) override;
    QString Problem() const override { return problem_; }

    // The largest settings file that is read: 4 MB.
    static constexpr qsizetype MaxBytes = qsizetype{4} << 20;

private:
    bool ReplaceFile(const QString& path, const QByteArray& content);

    TemporaryFileMaker makeTemporary_;
    QString problem_;
    // Files already reported as too large, so each is reported once.
    std::set<QString> warnedTooLarge_;
    // Files whose folder was cleared of stale temporary files of ours, which is done once per run.
    std::set<QString> swept_;
};

// Reads the value of key in section into buffer, at most bufferSize - 1 characters followed by a NUL,
// and returns the number of characters copied. A missing file, section or key copies the default
// (trailing blanks stripped). A bufferSize of 0 leaves the buffer untouched and returns 0.
qsizetype GetPrivateProfileString(QByteArrayView section, QByteArrayView key, QByteArrayView defaultValue,
                                  char* buffer, qsizetype bufferSize, const QString& path,
                                  ProfileStorage& storage);

// Stores value under key in section, creating the file, the section or the key as needed. Lines end in
// CR LF. Returns false when the file could not be read or written, and for an empty section or key name
// or a line break in any of the three (it would split the entry); the old file is then unchanged.
bool WritePrivateProfileString(QByteArrayView section, QByteArrayView key, QByteArrayView value,
                               const QString& path, ProfileStorage& storage);

} // namespace kelvo::system
