#pragma once

#include <memory>

#include <QString>

class QLockFile;

namespace kelvo::system {

// Holds the lock that tells other starts of the program that it is already running. The lock file lives in
// the user's runtime folder; a lock left behind by a process that died is taken over.
class SingleInstance {
public:
    enum class Outcome {
        Acquired,       // this process holds the lock now
        AlreadyRunning, // a live process of the program holds it
        Unavailable,    // the lock cannot be used (see Problem); the program runs without the guarantee
    };

    // folder empty: XDG_RUNTIME_DIR (or the temporary folder when it is unset).
    explicit SingleInstance(const QString& name, const QString& folder = QString());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    Outcome TryAcquire();
    void Release();
    QString LockPath() const;
    // One sentence on why the lock was Unavailable at the last TryAcquire; empty otherwise.
    QString Problem() const { return problem_; }

private:
    bool HeldByLiveProcess() const;
    // Whether the lock path is a plain file of the user the program runs as (not a link, folder or device).
    bool OwnPlainFile() const;
    // Why a lock that could not be taken is unusable, in one sentence naming the file.
    QString LockProblem() const;

    std::unique_ptr<QLockFile> lock_;
    QString path_;
    QString problem_;
};

} // namespace kelvo::system
