#pragma once

#include <optional>
#include <span>
#include <string_view>

#include <QString>

namespace kelvo::system {

// One read from the start of a file through a descriptor opened elsewhere and kept: the kernel builds
// files such as /proc/meminfo afresh for every read, so one call from offset 0 gives the text as it is
// now. Retried when a signal interrupts it; empty when the read fails.
std::optional<std::string_view> ReadFromStart(int fd, std::span<char> buffer);

// A kernel file read again and again (before every block of a pass): opened on first use, without
// waiting on a FIFO, and opened again at the next read when it could not be at first.
class KeptOpenFile {
public:
    explicit KeptOpenFile(QString path);
    ~KeptOpenFile();
    KeptOpenFile(const KeptOpenFile&) = delete;
    KeptOpenFile& operator=(const KeptOpenFile&) = delete;

    // The file's text now, read with one call into buffer; empty when it cannot be opened or read.
    std::optional<std::string_view> Read(std::span<char> buffer);

private:
    QString path_;
    int fd_ = -1;
};

} // namespace kelvo::system
