#include "platform/FileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/SystemError.h"

namespace tamrik {
namespace {

constexpr std::size_t kMebibyte = 1024 * 1024;

bool fail(std::string* error, const std::string& reason) {
    if (error) *error = reason;
    return false;
}

std::string sizeText(std::size_t bytes) {
    if (bytes % kMebibyte == 0) return std::to_string(bytes / kMebibyte) + " MiB";
    return std::to_string(bytes) + " bytes";
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

bool ReadFileBounded(const std::string& path, std::size_t maxBytes, std::string& bytes, std::string* error) {
    bytes.clear();
    // Non-blocking, so that opening a FIFO or a device never waits; what was opened is then examined
    // rather than the name, which may have changed meanwhile.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) return fail(error, SystemErrorText(errno));
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) return fail(error, SystemErrorText(errno));
    if (!S_ISREG(status.st_mode)) return fail(error, "is not a regular file");
    const std::string tooLarge = "is larger than " + sizeText(maxBytes);
    if (status.st_size < 0 || static_cast<unsigned long long>(status.st_size) > maxBytes) return fail(error, tooLarge);
    bytes.reserve(static_cast<std::size_t>(status.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t count = ::read(file.get(), chunk, sizeof chunk);
        if (count < 0) {
            if (errno == EINTR) continue;
            const int code = errno;
            bytes.clear();
            return fail(error, SystemErrorText(code));
        }
        if (count == 0) return true;
        // The file may grow while it is read.
        if (bytes.size() + static_cast<std::size_t>(count) > maxBytes) {
            bytes.clear();
            return fail(error, tooLarge);
        }
        bytes.append(chunk, static_cast<std::size_t>(count));
    }
}

}  // namespace tamrik
