#pragma once

#include <string>

namespace tamrik {

// An exclusive advisory lock on a file, taken without waiting and held until release() or
// destruction. Programs that lock the same file exclude each other, whichever user runs them.
class FileLock {
public:
    enum class Outcome { Held, Busy, Failed };

    FileLock() = default;
    ~FileLock() { release(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Locks the file at `path`. With `create`, a missing file is made readable and writable by
    // everyone, so another user's program can open it to lock it too; without, the file must
    // exist. A file replaced under the same name while locking is locked afresh. Failed carries
    // the reason in `error`.
    Outcome tryLock(const std::string& path, bool create, std::string* error = nullptr);
    void release();
    bool held() const { return descriptor_ >= 0; }

private:
    int descriptor_ = -1;
};

// Why nothing could be written to the file at `path` (read-only file, or read-only folder for a
// file that is replaced whole); empty when it can be. Goes by the mode bits as well as by the
// system's permission check, so the answer is the same for every user.
std::string WhyFileIsReadOnly(const std::string& path);

// The folder for per-user lock files: $XDG_RUNTIME_DIR, or /tmp without it.
std::string RuntimeFolder();

}  // namespace tamrik
