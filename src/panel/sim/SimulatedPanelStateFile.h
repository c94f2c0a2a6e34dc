#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace tamrik {

// The file that keeps a simulated panel's memory between runs. It is written whole and atomically
// when it is created or can't be trusted (missing, another size, a failed update); after that it
// stays open and each command's changes go in place, in one write at their offset, flushed before
// the next command is taken. A process killed between commands therefore leaves the state of the
// last completed command, at the cost of a few hundred bytes per command instead of the whole file.
class SimulatedPanelStateFile {
public:
    SimulatedPanelStateFile() = default;
    ~SimulatedPanelStateFile() { close(); }
    SimulatedPanelStateFile(const SimulatedPanelStateFile&) = delete;
    SimulatedPanelStateFile& operator=(const SimulatedPanelStateFile&) = delete;

    bool attached() const { return !path_.empty(); }
    const std::string& path() const { return path_; }

    // A file whose contents are not known to match the memory: the first update writes it whole.
    void attach(const std::string& path);
    // A file that was just read into memory: updates can go in place at once.
    void adopt(const std::string& path, std::size_t size);

    // Writes bytes [begin, end) of `state` to the file; the whole file when it is not in step.
    bool update(std::string_view state, std::size_t begin, std::size_t end, std::string* error = nullptr);
    bool writeWhole(std::string_view state, std::string* error = nullptr);

    // Updates done (in place or whole), and of those the whole-file writes.
    std::uint64_t writes() const { return writes_; }
    std::uint64_t wholeWrites() const { return wholeWrites_; }

private:
    bool openInPlace(std::size_t size);
    void close();

    std::string path_;
    std::FILE* file_ = nullptr;  // open only while the file holds exactly the memory
    std::uint64_t writes_ = 0;
    std::uint64_t wholeWrites_ = 0;
};

}  // namespace tamrik
