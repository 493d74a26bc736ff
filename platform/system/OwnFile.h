#pragma once

#include <limits>
#include <optional>

#include <QByteArray>
#include <QString>

namespace kelvo::system {

// The rules for files the program keeps for the user (settings, error log) in folders that may belong to
// someone else: a symbolic link is followed only when it belongs to the user the program runs as or to
// root, so a program run as root from another user's folder never writes through that user's links; and
// only a plain file is ever opened, without blocking, so a FIFO or device in the file's place can neither
// stall the program nor take its writes.

// The file path finally names, with each link on the way checked as above (relative links taken from their
// own folder); the end of a dangling link is returned as it is, to be created. Nothing for a loop, an
// unreadable link or a link of another user.
std::optional<QByteArray> OwnTarget(const QByteArray& path);

// Opens the file path names for the given open flags, following only links OwnTarget follows; the final
// file must be a plain file. Returns the descriptor, or -1 with errno set (EINVAL for what is not a plain
// file, ELOOP for a link that is not followed).
int OpenOwnFile(const QByteArray& path, int flags, int mode = 0644);

// Why an OpenOwnFile (or a step on such a file) failed with error, in a few words: ELOOP is a link that is
// not followed, EINVAL what is not a plain file, anything else the system's words.
QString OwnFileError(int error);

// Why the file at path cannot serve as a settings file or log of this user: it is not a plain file, a link
// is not followed, it is larger than maxBytes, or it cannot be read. Empty when it can, or when nothing is
// there yet.
QString OwnFileProblem(const QString& path, qint64 maxBytes = std::numeric_limits<qint64>::max());

} // namespace kelvo::system
