#include "settings/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

namespace tamrik {
namespace {

std::string temporaryNameBeside(const std::string& path) {
    const std::filesystem::path target(path);
    std::random_device randomSource;
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(randomSource()));
    return (target.parent_path() / ("." + target.filename().string() + ".tamrik-" + suffix)).string();
}

void setError(std::string* error, const std::string& what, int code) {
    if (error) *error = what + ": " + std::strerror(code);
}

}  // namespace

bool AtomicFile::write(const std::string& path, std::string_view bytes, std::string* error) {
    std::string temporary;
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < 8 && !file; ++attempt) {
        temporary = temporaryNameBeside(path);
        file = std::fopen(temporary.c_str(), "wbx");  // exclusive: never reuse someone else's file
        if (!file && errno != EEXIST) break;
    }
    if (!file) {
        setError(error, "cannot create a file beside " + path, errno);
        return false;
    }

    std::size_t limit = bytes.size();
    const bool injectFailure =
        failAfterBytesForTesting >= 0 && static_cast<std::size_t>(failAfterBytesForTesting) < bytes.size();
    if (injectFailure) limit = static_cast<std::size_t>(failAfterBytesForTesting);

    bool ok = std::fwrite(bytes.data(), 1, limit, file) == limit && !injectFailure;
    int code = injectFailure ? ENOSPC : errno;
    if (ok && std::fflush(file) != 0) {
        ok = false;
        code = errno;
    }
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (!ok) {
        setError(error, "cannot write " + path, code);
        std::remove(temporary.c_str());
        return false;
    }
    std::error_code renameError;
    std::filesystem::rename(temporary, path, renameError);
    if (renameError) {
        if (error) *error = "cannot replace " + path + ": " + renameError.message();
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace tamrik
