#pragma once

#include <memory>

#include <QString>

class QLockFile;

namespace kelvo::system {

// Holds the lock that tells other starts of the program that it is already running. The lock file lives in
// the user's runtime folder; a lock left behind by a process that died is taken over.
class SingleInstance {
public:
    // folder empty: XDG_RUNTIME_DIR (or the temporary folder when it is unset).
    explicit SingleInstance(const QString& name, const QString& folder = QString());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process now holds the lock; false when another running instance holds it.
    bool TryAcquire();
    void Release();
    QString LockPath() const;

private:
    std::unique_ptr<QLockFile> lock_;
    QString path_;
};

} // namespace kelvo::system
