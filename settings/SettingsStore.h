#pragma once

#include <functional>

#include <QString>

#include "platform/system/OwnFile.h"
#include "platform/system/Profile.h"

namespace kelvo::settings {

// Whether this process may write the file, or create files in the folder.
bool Writable(const QString& path);

// Why a settings file cannot be used (OwnFileProblem, with the settings file's size bound); empty when it
// can.
QString SettingsFileProblem(const QString& path);

// Where a file of the program's own (settings, error log) lives: beside the executable when the program
// folder takes new files or the file there is writable itself (a portable installation keeps everything
// in one folder), otherwise in the per-user config folder, so a settings change is never lost silently
// to a read-only installation. A file beside the executable that cannot serve (problem says why: a folder, a
// FIFO, a link of another user, unreadable) is left alone and the per-user file used, which standard error
// is told in one line.
QString ProgramFilePath(const QString& appFolder, const QString& userFolder, const QString& fileName,
                        const std::function<bool(const QString&)>& writable = Writable,
                        const std::function<QString(const QString&)>& problem = SettingsFileProblem);

// The settings file "Kelvo.ini" and its reads and writes.
class SettingsStore {
public:
    SettingsStore(const QString& path, system::ProfileStorage& storage);

    QString Path() const { return path_; }
    system::ProfileStorage& Storage() const { return storage_; }

    // The stored text, cut at its first NUL and without trailing spaces; the empty text when the file,
    // section or key is missing or unreadable.
    QString ReadIni(const QString& section, const QString& key) const;
    // Stores the text; returns false when it could not be stored (the old file is then unchanged).
    bool WriteIni(const QString& section, const QString& key, const QString& value);
    // When this store's file does not exist yet, starts it as a copy of another settings file: the
    // per-user file keeps what an administrator stored in a read-only installation's own file. Returns
    // whether a copy was made.
    bool StartFrom(const QString& otherPath);

private:
    bool MakeFolder() const;

    QString path_;
    system::ProfileStorage& storage_;
};

} // namespace kelvo::settings
