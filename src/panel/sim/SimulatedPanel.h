#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "panel/PanelLink.h"
#include "panel/PanelMemoryMap.h"
#include "panel/sim/SimulatedPanelStateFile.h"

namespace tamrik {

// One request as the simulated panel saw it; sequence counts every report received, from 1.
struct SimRequest {
    std::uint64_t sequence = 0;
    std::uint8_t command = 0;
    std::uint32_t address = 0;
    std::uint8_t count = 0;
};

// What goes wrong with the reply to one request.
enum class ReplyFault {
    None,
    Lost,           // no reply at all
    Late,           // the reply comes SimFaults::lateBy after it was due
    CountZero,      // the reply's count byte says 0
    CountTooLarge,  // the reply's count byte says SimFaults::tooLargeCount (the data as for 58 bytes)
    StaleFirst,     // a copy of the previous reply arrives before the real one
};

// Switches for tests: each models one way a real panel or cable misbehaves.
struct SimFaults {
    bool noPanel = false;                  // nothing is attached
    std::int64_t unplugAfterReports = -1;  // the panel answers this many reports, then vanishes
    int replugAfterSearches = -1;          // once vanished, it is found again by this search (-1: never)
    std::function<ReplyFault(const SimRequest&)> replyFault;
    std::chrono::milliseconds lateBy{700};
    std::uint8_t tooLargeCount = 0xC8;
    std::function<bool(std::uint32_t address)> eraseFails;    // the erase is not done nor acknowledged
    std::function<bool(std::uint32_t address)> programFails;  // the program step is not done nor acknowledged
    std::optional<std::uint32_t> wrongBitAddress;             // program word whose reads come back wrong
    std::uint8_t wrongBitMask = 0x01;                         // in its first byte
    bool stateFileWritesFail = false;                         // changes can't be saved to the state file
    std::uint32_t queryValues[2] = {0x2A000, 0x800};          // their sum is the program memory end
};

struct SimReply {
    Report report{};
    std::chrono::milliseconds delay{0};
};

// The panel's side of the memory protocol over a memory image that behaves like the real one:
// program memory is flash (erase sets a block to 0xFF, programming can only clear bits), data memory
// is plain bytes. With a state file attached, every command that changes memory writes its changes
// to the file before the next command is taken, so a transfer killed half-way leaves the state of the
// last completed command. Memory changed directly through the accessors below reaches the file only
// through save().
class SimulatedPanel {
public:
    static constexpr std::size_t kStateSize = kProgramMemoryBytes + kDataMemoryBytes;
    // The panel's answer to a program memory read: 14 words.
    static constexpr std::uint8_t kReadWordsReplyCount = 56;

    SimulatedPanel();

    SimFaults faults;

    // The whole state: program memory (4 bytes per word, offset = 2 x address), then data memory.
    std::uint8_t* programMemory() { return reinterpret_cast<std::uint8_t*>(state_.data()); }
    std::uint8_t* dataMemory() { return programMemory() + kProgramMemoryBytes; }
    const std::string& state() const { return state_; }

    // Data stored 2 bytes per program word, as the protocol reads and writes it.
    std::vector<std::uint8_t> readWordData(std::uint32_t address, std::size_t count) const;
    void writeWordData(std::uint32_t address, const std::uint8_t* bytes, std::size_t count);

    // Damage that tests and demonstrations set up in memory: one flipped bit in the sealed identity
    // copy (its CRC no longer matches), and a site data image of another layout revision.
    void damageIdentityCopy();
    void setSiteRevision(std::uint16_t revision);

    // Presence on the bus. search() is one device search by the host; it may bring the panel back.
    bool present() const { return present_ && !faults.noPanel; }
    bool search();
    void unplug();
    void plugIn();
    std::uint64_t searches() const { return searches_; }

    // A report from the host; false when the panel is not there to take it.
    bool receive(const Report& report);
    std::optional<SimReply> takeReply();
    void dropReplies() { replies_.clear(); }

    const std::vector<SimRequest>& requests() const { return requests_; }
    void clearRequests() { requests_.clear(); }

    // The state file: load one, or attach a path that every change is saved to (the first change
    // writes it whole). save() replaces the whole file atomically.
    bool load(const std::string& path, std::string* error = nullptr);
    void attachStateFile(const std::string& path) { stateFile_.attach(path); }
    bool save(std::string* error = nullptr) { return stateFile_.writeWhole(state_, error); }
    // Takes the state file's contents again (another program may have changed it); true without one.
    bool reload(std::string* error = nullptr);
    const std::string& stateFilePath() const { return stateFile_.path(); }
    // Writes to the state file, one per changing command, and how many of them rewrote it whole.
    std::uint64_t stateFileWrites() const { return stateFile_.writes(); }
    std::uint64_t wholeStateFileWrites() const { return stateFile_.wholeWrites(); }
    const std::string& lastSaveError() const { return lastSaveError_; }

private:
    // The state bytes one command changed: [begin, end), empty when it changed nothing.
    struct Change {
        std::size_t begin = 0;
        std::size_t end = 0;
        void add(std::size_t offset);
        bool empty() const { return begin >= end; }
    };

    void deliver(Report reply, ReplyFault fault);
    Change erase(std::uint32_t address);
    Change program(const Report& report);
    Report readProgram(const Report& request, std::size_t bytes) const;
    Report readData(const Report& request) const;
    Change writeData(const Report& request);
    // Saves the change to the state file; false when it could not be saved. Like a real panel that
    // failed to store it, the panel then leaves the command unanswered.
    bool changed(const Change& change);

    std::string state_;
    bool present_ = true;
    std::uint64_t searches_ = 0;
    std::uint64_t received_ = 0;
    std::deque<SimReply> replies_;
    std::optional<Report> previousReply_;
    bool withholdAcknowledge_ = false;  // an erase or program step failed: its acknowledgement is not sent
    std::vector<SimRequest> requests_;
    SimulatedPanelStateFile stateFile_;
    std::string lastSaveError_;
};

}  // namespace tamrik
