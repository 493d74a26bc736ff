#include "ErrorLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

#include "platform/system/OwnFile.h"

namespace kelvo::controls {

namespace {

// A field is written between double quotes as it stands (quotes inside are not doubled, as readers of the
// log expect); only a line break would split the one-line record, so it becomes a space.
QString Quoted(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

ErrorLog::ErrorLog(QString path, host::MessageBoxService& messages, ErrorLogOrigin origin, Now now)
    : path_(std::move(path))
    , messages_(messages)
    , origin_(std::move(origin))
    , now_(std::move(now)) {}

QString ErrorLog::MessageText(const QString& errorNumber, const QString& description,
                              const QString& moduleName, const QString& procedureName) {
    QString text = QStringLiteral("Error occured: ") + errorNumber + QStringLiteral("\r\n");
    if (!description.isEmpty()) {
        text += QStringLiteral("Description: ") + description + QStringLiteral("\r\n");
    }
    if (!moduleName.isEmpty()) {
        text += QStringLiteral("Module: ") + moduleName + QStringLiteral("\r\n");
    }
    if (!procedureName.isEmpty()) {
        text += QStringLiteral("Function: ") + procedureName;
    }
    return text;
}

QByteArray ErrorLog::Record(const QDateTime& moment, const QString& errorNumber, const QString& description,
                            const QString& moduleName, const QString& procedureName,
                            const ErrorLogOrigin& origin) {
    // The clock gives milliseconds; midnight is judged to the second the record shows.
    const QTime time = moment.time();
    const bool midnight = time.hour() == 0 && time.minute() == 0 && time.second() == 0;
    const QString when =
        moment.toString(midnight ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    const QString version = origin.app.title + QStringLiteral(" v") + QString::number(origin.app.major) +
                            QLatin1Char('.') + QString::number(origin.app.minor) + QLatin1Char('.') +
                            QString::number(origin.app.revision);
    const QStringList fields{QLatin1Char('#') + when + QLatin1Char('#'),
                             Quoted(errorNumber),
                             Quoted(description),
                             Quoted(moduleName),
                             Quoted(procedureName),
                             Quoted(version),
                             Quoted(origin.userName),
                             Quoted(origin.computerName)};
    return fields.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

void ErrorLog::LogError(bool showMessage, const QString& errorNumber, const QString& description,
                        const QString& moduleName, const QString& procedureName) {
    if (showMessage) {
        const QString text = MessageText(errorNumber, description, moduleName, procedureName);
        if (holding_) {
            held_.push_back(text);
        } else {
            messages_.ShowCritical(text, origin_.app.title + QStringLiteral(" - ERROR"));
        }
    }
    // The moment is taken after the message was dismissed.
    Append(Record(now_(), errorNumber, description, moduleName, procedureName, origin_));
}

void ErrorLog::ShowHeldMessages() {
    holding_ = false;
    std::vector<QString> held;
    held.swap(held_);
    for (const QString& text : held) {
        messages_.ShowCritical(text, origin_.app.title + QStringLiteral(" - ERROR"));
    }
}

void ErrorLog::Append(const QByteArray& record) {
    const QString old = path_ + QLatin1String(OldSuffix);
    QFile file(path_);
    if (file.size() + record.size() > MaximumBytes && file.exists()) {
        QFile::remove(old);
        QFile::rename(path_, old);
    }
    // The per-user folder the log may fall back to need not exist yet. Only a plain file is a log, reached
    // only through links of the user's own: anything else drops the record, never written to or waited on.
    QDir().mkpath(QFileInfo(path_).absolutePath());
    const int fd = system::OpenOwnFile(QFile::encodeName(path_), O_WRONLY | O_APPEND | O_CREAT);
    if (fd < 0) {
        return;
    }
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Append, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return;
    }
    file.write(record);
}

} // namespace kelvo::controls
