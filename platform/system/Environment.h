#pragma once

#include <QString>

namespace kelvo::system {

// The login name of the user and the name of the machine.
QString UserName();
QString ComputerName();

// Raises the process's out-of-memory score so that, if the kernel must end a program for lack of memory,
// it ends this one rather than the user's work. An unprivileged process may raise its own score. Returns
// false when the value could not be written.
bool RaiseOomScoreAdj(int score, const QString& path = QStringLiteral("/proc/self/oom_score_adj"));

} // namespace kelvo::system
