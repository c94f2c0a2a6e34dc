#include "platform/FileSave.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

#include "platform/SystemError.h"

namespace tamrik {
namespace {

constexpr int kMostLinksFollowed = 40;
constexpr std::size_t kLongestName = NAME_MAX;
constexpr std::size_t kRandomPartLength = 8;

bool fail(std::string* error, const std::string& what, int code) {
    if (error) *error = what + ": " + SystemErrorText(code);
    return false;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows symbolic links to the path the bytes finally belong at (which need not exist yet: a link
// to a missing file creates that file).
bool resolveLinks(const std::string& path, std::string& resolved, std::string* error) {
    resolved = path;
    for (int hop = 0; hop < kMostLinksFollowed; ++hop) {
        struct stat status {};
        if (::lstat(resolved.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return true;
        std::vector<char> target(static_cast<std::size_t>(PATH_MAX) + 1);
        const ssize_t length = ::readlink(resolved.c_str(), target.data(), target.size() - 1);
        if (length < 0) return fail(error, "cannot follow the link " + resolved, errno);
        const std::string next(target.data(), static_cast<std::size_t>(length));
        resolved =
            next.starts_with('/') || resolved.find('/') == std::string::npos ? next : folderOf(resolved) + "/" + next;
    }
    return fail(error, "cannot follow the link " + path, ELOOP);
}

std::uint64_t nameHash(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

std::string randomPart() {
    std::random_device randomSource;
    char text[kRandomPartLength + 1];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(randomSource()));
    return text;
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // some file systems cannot sync a folder; the file itself is already synced
    ::close(fd);
}

// A temporary file of a save in progress is locked by its writer; one nobody holds was left by a
// run that was killed.
void removeStaleTemporaries(const std::string& folder, const std::string& prefix) {
    DIR* listing = ::opendir(folder.c_str());
    if (!listing) return;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + kRandomPartLength || !name.starts_with(prefix)) continue;
        const std::string path = folder + "/" + name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat status {};
        if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(listing);
}

// Locks a new temporary file, which marks it as in use until the rename. Another save's clean-up
// may have removed it between its creation and the lock: then it is no good.
bool lockedInPlace(int fd) {
    struct stat status {};
    return ::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &status) == 0 && status.st_nlink > 0;
}

bool writeAll(int fd, std::string_view bytes, long long failAfterBytes, int& code) {
    std::size_t limit = bytes.size();
    const bool inject = failAfterBytes >= 0 && static_cast<unsigned long long>(failAfterBytes) < bytes.size();
    if (inject) limit = static_cast<std::size_t>(failAfterBytes);
    std::size_t done = 0;
    while (done < limit) {
        const ssize_t count = ::write(fd, bytes.data() + done, limit - done);
        if (count < 0) {
            if (errno == EINTR) continue;
            code = errno;
            return false;
        }
        done += static_cast<std::size_t>(count);
    }
    if (inject) code = ENOSPC;
    return !inject;
}

// Gives the new file the old one's owner, group and mode; owner and group only as far as this
// process may set them.
void keepOwnerAndMode(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    ::fchmod(fd, old.st_mode & 07777);
}

}  // namespace

std::string SaveTemporaryPrefix(const std::string& targetName) {
    std::string prefix = "." + targetName + ".tamrik-";
    if (prefix.size() + kRandomPartLength <= kLongestName) return prefix;
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(nameHash(targetName)));
    return "." + std::string(hash) + ".tamrik-";
}

bool SaveFileReplacing(const std::string& path, std::string_view bytes, std::string* error, long long failAfterBytes) {
    std::string target;
    if (!resolveLinks(path, target, error)) return false;
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        if (error) *error = path + " is not a regular file";
        return false;
    }
    const std::string folder = folderOf(target);
    const std::string prefix = SaveTemporaryPrefix(nameOf(target));
    removeStaleTemporaries(folder, prefix);

    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
        temporary = folder + "/" + prefix + randomPart();
        // Exclusive: never reuse someone else's file. A new file gets the usual mode from the umask.
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0 && errno != EEXIST) break;
        if (fd >= 0 && !lockedInPlace(fd)) {
            ::close(fd);
            fd = -1;
            errno = EEXIST;
        }
    }
    if (fd < 0) return fail(error, "cannot create a file beside " + path, errno);

    const auto abandon = [&](const std::string& what, int code) {
        ::unlink(temporary.c_str());
        ::close(fd);
        return fail(error, what, code);
    };
    if (exists) keepOwnerAndMode(fd, old);
    int code = 0;
    if (!writeAll(fd, bytes, failAfterBytes, code)) return abandon("cannot write " + path, code);
    if (::fsync(fd) != 0) return abandon("cannot write " + path, errno);
    syncFolder(folder);
    if (::rename(temporary.c_str(), target.c_str()) != 0) return abandon("cannot replace " + path, errno);
    ::close(fd);
    syncFolder(folder);
    return true;
}

}  // namespace tamrik
