#include "app/launch/DesktopLauncher.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <climits>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace tamrik {
namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool connectsTo(const std::string& path, bool abstract) {
    sockaddr_un address{};
    const std::size_t offset = abstract ? 1 : 0;
    if (path.empty() || path.size() + offset >= sizeof address.sun_path) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + offset, path.data(), path.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool answered = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
    ::close(fd);
    return answered;
}

// An X server on this machine listens on a socket named after the display number; a display on
// another host ("host:0") is taken on trust.
bool xServerAnswers() {
    const std::string display = environment("DISPLAY");
    if (display.empty()) return false;
    if (display.front() != ':') return true;
    const std::string number = display.substr(1, display.find('.') - 1);
    const std::string socket = "/tmp/.X11-unix/X" + number;
    return connectsTo(socket, false) || connectsTo(socket, true);
}

bool waylandAnswers() {
    const std::string name = environment("WAYLAND_DISPLAY");
    if (name.empty()) return false;
    if (name.front() == '/') return connectsTo(name, false);
    const std::string folder = environment("XDG_RUNTIME_DIR");
    return !folder.empty() && connectsTo(folder + "/" + name, false);
}

bool headlessPlatform(const std::string& platform) {
    return platform.starts_with("offscreen") || platform.starts_with("minimal");
}

}  // namespace

std::string DesktopProgramPath() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path folder = error ? std::filesystem::path(".") : self.parent_path();
    return (folder / "tamrik-desktop").string();
}

void ExecDesktopProgram(char** argv, bool handedOver) {
    if (handedOver) ::setenv(kHandedOverVariable, "1", 1);
    const std::string program = DesktopProgramPath();
    ::execv(program.c_str(), argv);
}

bool DisplayAvailable() {
    const std::string platform = environment("QT_QPA_PLATFORM");
    if (headlessPlatform(platform)) return false;
    if (platform.starts_with("xcb")) return xServerAnswers();
    if (platform.starts_with("wayland")) return waylandAnswers();
    if (!platform.empty()) return true;  // a platform of its own (vnc, eglfs, ...): Qt knows best
    return xServerAnswers() || waylandAnswers();
}

bool DesktopWindowCanOpen() { return headlessPlatform(environment("QT_QPA_PLATFORM")) || DisplayAvailable(); }

std::string DesktopSocketPath() {
    // The user's runtime folder is private to the user and emptied at log-out; the temporary
    // folder is the fallback where there is none.
    std::string folder = environment("XDG_RUNTIME_DIR");
    if (folder.empty()) folder = environment("TMPDIR");
    if (folder.empty()) folder = "/tmp";
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    std::string user = environment("USER");
    if (user.empty()) user = environment("USERNAME");
    if (user.empty()) user = "default";
    return folder + "/__Tamrik-" + user;
}

bool AnotherDesktopCopyIsRunning() {
    const std::string path = DesktopSocketPath();
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool answered = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return answered;
}

bool HasFirmwareOption(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        if (argument.size() == 2 && argument[0] == '-' && (argument[1] == 'f' || argument[1] == 'F')) return true;
    }
    return false;
}

}  // namespace tamrik
