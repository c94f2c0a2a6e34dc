#include "panel/sim/SimulatedPanelStateFile.h"

#include <cerrno>
#include <cstring>

#include "settings/AtomicFile.h"

namespace tamrik {

void SimulatedPanelStateFile::attach(const std::string& path) {
    close();
    path_ = path;
}

void SimulatedPanelStateFile::adopt(const std::string& path, std::size_t size) {
    attach(path);
    openInPlace(size);
}

bool SimulatedPanelStateFile::update(std::string_view state, std::size_t begin, std::size_t end, std::string* error) {
    if (!file_) return writeWhole(state, error);
    if (begin >= end) return true;
    const std::size_t length = end - begin;
    if (std::fseek(file_, static_cast<long>(begin), SEEK_SET) == 0 &&
        std::fwrite(state.data() + begin, 1, length, file_) == length && std::fflush(file_) == 0) {
        ++writes_;
        return true;
    }
    // The file may now hold part of this command: it is no longer trusted, so it is replaced whole.
    const std::string reason = std::strerror(errno);
    close();
    if (writeWhole(state, error)) return true;
    if (error) *error = "cannot update " + path_ + ": " + reason + "; " + *error;
    return false;
}

bool SimulatedPanelStateFile::writeWhole(std::string_view state, std::string* error) {
    if (path_.empty()) {
        if (error) *error = "no panel state file attached";
        return false;
    }
    // The rename puts a new file in place; a handle on the old one would update a file nobody sees.
    close();
    if (!AtomicFile::write(path_, state, error)) return false;
    ++writes_;
    ++wholeWrites_;
    openInPlace(state.size());  // when this fails the next update writes the whole file again
    return true;
}

bool SimulatedPanelStateFile::openInPlace(std::size_t size) {
    close();
    file_ = std::fopen(path_.c_str(), "r+b");
    if (!file_) return false;
    // Only a file of exactly the memory's size can be updated in place.
    if (std::fseek(file_, 0, SEEK_END) != 0 || std::ftell(file_) != static_cast<long>(size)) {
        close();
        return false;
    }
    return true;
}

void SimulatedPanelStateFile::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

}  // namespace tamrik
