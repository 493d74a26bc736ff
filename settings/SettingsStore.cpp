#include "SettingsStore.h"

#include <cstdio>

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

#include "SettingsConversions.h"

namespace kelvo::settings {

namespace {

// Large enough for every value the program writes (at most 5 characters) and for anything sensible entered
// by hand; longer values are read up to this size.
constexpr qsizetype ReadBufferSize = 256;

} // namespace

bool Writable(const QString& path) {
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

QString SettingsFileProblem(const QString& path) {
    return system::OwnFileProblem(path, system::FileProfileStorage::MaxBytes);
}

QString ProgramFilePath(const QString& appFolder, const QString& userFolder, const QString& fileName,
                        const std::function<bool(const QString&)>& writable,
                        const std::function<QString(const QString&)>& problem) {
    QString beside = appFolder + fileName;
    QString perUser = QDir(userFolder).filePath(fileName);
    if (const QString why = problem(beside); !why.isEmpty()) {
        std::fprintf(stderr, "Kelvo: %s cannot be used (%s); %s is used instead.\n", qPrintable(beside),
                     qPrintable(why), qPrintable(perUser));
        return perUser;
    }
    // A writable file in a folder without new files is written in place by the profile storage.
    if (writable(appFolder) || (QFileInfo::exists(beside) && writable(beside))) {
        return beside;
    }
    return perUser;
}

SettingsStore::SettingsStore(const QString& path, system::ProfileStorage& storage)
    : path_(path)
    , storage_(storage) {}

QString SettingsStore::ReadIni(const QString& section, const QString& key) const {
    QByteArray buffer(ReadBufferSize, ' ');
    const qsizetype copied = system::GetPrivateProfileString(section.toLatin1(), key.toLatin1(), "",
                                                             buffer.data(), buffer.size(), path_, storage_);
    Q_UNUSED(copied);
    QString text = TrimAtNul(QString::fromLatin1(buffer));
    while (text.endsWith(QLatin1Char(' '))) {
        text.chop(1);
    }
    return text;
}

bool SettingsStore::MakeFolder() const {
    // The per-user folder may not exist yet on a fresh account.
    const QString folder = QFileInfo(path_).absolutePath();
    return QFileInfo::exists(folder) || QDir().mkpath(folder);
}

bool SettingsStore::WriteIni(const QString& section, const QString& key, const QString& value) {
    return MakeFolder() && system::WritePrivateProfileString(section.toLatin1(), key.toLatin1(),
                                                             value.toLatin1(), path_, storage_);
}

bool SettingsStore::StartFrom(const QString& otherPath) {
    if (otherPath == path_ || storage_.Read(path_) || storage_.Exists(path_)) {
        return false;
    }
    const std::optional<QByteArray> content = storage_.Read(otherPath);
    return content && MakeFolder() && storage_.Replace(path_, *content);
}

} // namespace kelvo::settings
