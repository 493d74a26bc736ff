#pragma once

#include <memory>

#include <QString>

class QLockFile;

namespace kelvo::system {

// Holds the lock that tells other starts of the program that it is already running. The lock is the user's
// own: it lives in the user's runtime folder, or where there is none of the user's own, in a folder made for
// the user in the temporary folder. A lock naming no running copy of the program of this user (its process
// died, it is empty or junk, it belongs to another user) is taken over.
class SingleInstance {
public:
    enum class Outcome {
        Acquired,       // this process holds the lock now
        AlreadyRunning, // a live process of the program holds it
        Unavailable,    // the lock cannot be used (see Problem); the program runs without the guarantee
    };

    // folder empty: XDG_RUNTIME_DIR when it is a folder of this user's that others cannot write to,
    // otherwise kelvo-UID in the temporary folder (made with mode 0700).
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
    enum class Holder { Live, None, Elsewhere };
    // Who holds the lock file: a live copy of this user's program, nobody, or a process of another machine.
    Holder LockHolder() const;
    // Whether the lock path is a plain file (not a link, folder or device).
    bool PlainFile() const;
    static bool PrivateFolder(const QString& folder);
    // Why a lock that could not be taken is unusable, in one sentence naming the file.
    QString LockProblem() const;

    std::unique_ptr<QLockFile> lock_;
    QString path_;
    QString problem_;
    QString folderProblem_;
};

} // namespace kelvo::system
