#pragma once

#include <functional>
#include <vector>

#include <QDateTime>
#include <QString>

#include "platform/host/MessageBoxService.h"
#include "platform/system/AppInfo.h"

namespace kelvo::controls {

// What a log record says about where it was written: the program's title and version and who ran it.
struct ErrorLogOrigin {
    system::AppInfo app;
    QString userName;
    QString computerName;
};

// The 3-D frame's error log: one comma-separated line per trapped error in "ErrorLog.txt", and for errors
// while loading or saving properties a message to the user as well.
//
// The log is a plain file that nothing reads back. A frame failing on every paint would make it grow
// without end, so past MaximumBytes the file is renamed to OldSuffix (replacing the previous old one) and a
// new file started. A log that cannot be opened or written drops the record: painting and loading go on.
class ErrorLog {
public:
    using Now = std::function<QDateTime()>;

    ErrorLog(
        QString path, host::MessageBoxService& messages, ErrorLogOrigin origin,
        Now now = [] { return QDateTime::currentDateTime(); });

    void LogError(bool showMessage, const QString& errorNumber, const QString& description,
                  const QString& moduleName, const QString& procedureName);

    // While the program starts, before its window or tray icon exists, a modal message would leave the user
    // with nothing but a box; messages wait until ShowHeldMessages.
    void HoldMessages(bool hold) { holding_ = hold; }
    void ShowHeldMessages();

    const QString& Path() const { return path_; }

    static QString MessageText(const QString& errorNumber, const QString& description,
                               const QString& moduleName, const QString& procedureName);
    // The record's line, CR LF ended, UTF-8.
    static QByteArray Record(const QDateTime& moment, const QString& errorNumber, const QString& description,
                             const QString& moduleName, const QString& procedureName,
                             const ErrorLogOrigin& origin);

    static constexpr qint64 MaximumBytes = qint64{1024} * 1024;
    static constexpr const char* OldSuffix = ".old";

private:
    void Append(const QByteArray& record);

    QString path_;
    host::MessageBoxService& messages_;
    ErrorLogOrigin origin_;
    Now now_;
    bool holding_ = false;
    std::vector<QString> held_;
};

} // namespace kelvo::controls
