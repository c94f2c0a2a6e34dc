#include "platform/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/SystemError.h"

namespace tamrik {
namespace {

int openForLocking(const std::string& path, bool create) {
    // Read access is enough to lock; the file may belong to another user.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (descriptor >= 0 || errno != ENOENT || !create) return descriptor;
    const int made = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (made >= 0) {
        ::fchmod(made, 0666);  // the umask would keep other users out
        return made;
    }
    if (errno == EEXIST) return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    return -1;
}

bool sameFile(int descriptor, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(descriptor, &opened) == 0 && ::stat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool readOnly(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return false;  // a missing file is not read-only
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

}  // namespace

FileLock::Outcome FileLock::tryLock(const std::string& path, bool create, std::string* error) {
    release();
    // A file renamed over the locked one between open and lock would leave the lock on a file
    // nobody else opens; a few rounds settle that.
    for (int round = 0; round < 8; ++round) {
        const int descriptor = openForLocking(path, create);
        if (descriptor < 0) {
            if (error) *error = "cannot open " + path + ": " + SystemErrorText(errno);
            return Outcome::Failed;
        }
        if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
            const int reason = errno;
            ::close(descriptor);
            if (reason == EWOULDBLOCK) return Outcome::Busy;
            if (error) *error = "cannot lock " + path + ": " + SystemErrorText(reason);
            return Outcome::Failed;
        }
        if (sameFile(descriptor, path)) {
            descriptor_ = descriptor;
            return Outcome::Held;
        }
        ::close(descriptor);
    }
    if (error) *error = "cannot lock " + path + ": it keeps being replaced";
    return Outcome::Failed;
}

void FileLock::release() {
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = -1;
}

std::string WhyFileIsReadOnly(const std::string& path) {
    if (readOnly(path)) return path + " is read-only";
    const std::string folder = folderOf(path);
    if (readOnly(folder)) return "the folder " + folder + " is read-only";
    return {};
}

std::string RuntimeFolder() {
    const char* folder = std::getenv("XDG_RUNTIME_DIR");
    return folder && *folder ? folder : "/tmp";
}

}  // namespace tamrik
