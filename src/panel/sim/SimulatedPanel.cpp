#include "panel/sim/SimulatedPanel.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include "images/ImageBytes.h"

namespace tamrik {
namespace {

// A reply starts as the request's header: command, address and count echoed.
Report replyHeader(const Report& request) {
    Report reply{};
    std::memcpy(&reply[kReportCommandByte], &request[kReportCommandByte], kReportDataByte - kReportCommandByte);
    return reply;
}

}  // namespace

SimulatedPanel::SimulatedPanel() : state_(kStateSize, '\0') {
    std::fill_n(state_.begin(), kProgramMemoryBytes, static_cast<char>(0xFF));
}

std::vector<std::uint8_t> SimulatedPanel::readWordData(std::uint32_t address, std::size_t count) const {
    std::vector<std::uint8_t> bytes(count);
    const auto* memory = reinterpret_cast<const std::uint8_t*>(state_.data());
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t word = (address + i) & ~std::size_t{1};
        const std::size_t offset = 2 * word + ((address + i) & 1);
        bytes[i] = offset < kProgramMemoryBytes ? memory[offset] : 0xFF;
    }
    return bytes;
}

void SimulatedPanel::writeWordData(std::uint32_t address, const std::uint8_t* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t word = (address + i) & ~std::size_t{1};
        const std::size_t offset = 2 * word + ((address + i) & 1);
        if (2 * word + 4 > kProgramMemoryBytes) continue;
        programMemory()[offset] = bytes[i];
        programMemory()[2 * word + 2] = 0;
        programMemory()[2 * word + 3] = 0;
    }
}

void SimulatedPanel::damageIdentityCopy() { programMemory()[2 * kIdentityCopyAddress + 1] ^= 0x10; }

void SimulatedPanel::setSiteRevision(std::uint16_t revision) {
    const std::uint8_t word[2] = {static_cast<std::uint8_t>(revision), static_cast<std::uint8_t>(revision >> 8)};
    writeWordData(kSiteDataAddress, word, sizeof word);
}

bool SimulatedPanel::search() {
    ++searches_;
    if (!present_ && faults.replugAfterSearches >= 0) {
        if (--faults.replugAfterSearches <= 0) {
            faults.replugAfterSearches = -1;
            present_ = true;
        }
    }
    return present();
}

void SimulatedPanel::unplug() {
    present_ = false;
    replies_.clear();
    withholdAcknowledge_ = false;
}

void SimulatedPanel::plugIn() { present_ = true; }

bool SimulatedPanel::receive(const Report& report) {
    if (!present()) return false;
    if (faults.unplugAfterReports >= 0 && received_ >= static_cast<std::uint64_t>(faults.unplugAfterReports)) {
        faults.unplugAfterReports = -1;
        unplug();
        return false;
    }
    ++received_;
    const SimRequest request{received_, report[kReportCommandByte], imagebytes::ReadU32(&report[kReportAddressByte]),
                             report[kReportCountByte]};
    requests_.push_back(request);
    const ReplyFault fault = faults.replyFault ? faults.replyFault(request) : ReplyFault::None;

    switch (request.command) {
        case kCommandQuery: {
            if (withholdAcknowledge_) {
                withholdAcknowledge_ = false;
                break;
            }
            Report reply{};
            reply[kReportCommandByte] = kCommandQuery;
            imagebytes::WriteU32(&reply[kQueryReplyFirstByte], faults.queryValues[0]);
            imagebytes::WriteU32(&reply[kQueryReplySecondByte], faults.queryValues[1]);
            deliver(reply, fault);
            break;
        }
        case kCommandProgram:
            if (faults.programFails && faults.programFails(request.address)) {
                withholdAcknowledge_ = true;
            } else if (!changed(program(report))) {
                withholdAcknowledge_ = true;
            }
            break;
        case kCommandProgramComplete:
            break;
        case kCommandReadProgram: {
            // Normally 14 words; the over-long count comes with the data of a 58-byte reply.
            const std::size_t bytes = fault == ReplyFault::CountTooLarge
                                          ? kReportMaxData
                                          : std::min<std::size_t>(kReadWordsReplyCount, request.count & ~3u);
            deliver(readProgram(report, bytes), fault);
            break;
        }
        case kCommandEraseBlock:
            if (faults.eraseFails && faults.eraseFails(request.address)) {
                withholdAcknowledge_ = true;
            } else if (!changed(erase(request.address))) {
                withholdAcknowledge_ = true;
            }
            break;
        case kCommandReadData:
            deliver(readData(report), fault);
            break;
        case kCommandWriteData:
            if (changed(writeData(report))) deliver(replyHeader(report), fault);
            break;
        default:
            break;  // unknown commands go unanswered
    }
    return true;
}

void SimulatedPanel::deliver(Report reply, ReplyFault fault) {
    if (fault == ReplyFault::CountZero) reply[kReportCountByte] = 0;
    if (fault == ReplyFault::CountTooLarge) reply[kReportCountByte] = faults.tooLargeCount;
    if (fault == ReplyFault::Lost) return;
    if (fault == ReplyFault::StaleFirst && previousReply_) replies_.push_back({*previousReply_, {}});
    replies_.push_back({reply, fault == ReplyFault::Late ? faults.lateBy : std::chrono::milliseconds{0}});
    previousReply_ = reply;
}

std::optional<SimReply> SimulatedPanel::takeReply() {
    if (replies_.empty()) return std::nullopt;
    SimReply reply = replies_.front();
    replies_.pop_front();
    return reply;
}

void SimulatedPanel::Change::add(std::size_t offset) {
    if (empty()) {
        begin = offset;
        end = offset + 1;
    } else {
        begin = std::min(begin, offset);
        end = std::max(end, offset + 1);
    }
}

SimulatedPanel::Change SimulatedPanel::erase(std::uint32_t address) {
    const std::size_t begin = 2 * static_cast<std::size_t>(address & ~(kEraseBlockUnits - 1));
    const std::size_t end = std::min(begin + 2 * kEraseBlockUnits, kProgramMemoryBytes);
    Change change;
    for (std::size_t offset = begin; offset < end; ++offset) {
        if (state_[offset] != static_cast<char>(0xFF)) {
            state_[offset] = static_cast<char>(0xFF);
            change.add(offset);
        }
    }
    return change;
}

// Flash programming can only clear bits: programming a word that was not erased ANDs the new bits in.
SimulatedPanel::Change SimulatedPanel::program(const Report& report) {
    const std::uint32_t address = imagebytes::ReadU32(&report[kReportAddressByte]);
    const std::size_t n = std::min<std::size_t>(report[kReportCountByte], kReportMaxProgram) & ~std::size_t{3};
    const std::size_t first = kReportSize - n;
    Change change;
    for (std::size_t k = 0; k < n / 4; ++k) {
        const std::size_t offset = 2 * (static_cast<std::size_t>(address) + 2 * k);
        if (offset + 4 > kProgramMemoryBytes) break;
        for (std::size_t b = 0; b < 4; ++b) {
            const auto before = static_cast<std::uint8_t>(state_[offset + b]);
            const auto after = static_cast<std::uint8_t>(before & report[first + 4 * k + b]);
            if (after != before) {
                state_[offset + b] = static_cast<char>(after);
                change.add(offset + b);
            }
        }
    }
    return change;
}

// Words right-aligned, 4 bytes each; a reply of 58 bytes ends with half a word.
Report SimulatedPanel::readProgram(const Report& request, std::size_t bytes) const {
    Report reply = replyHeader(request);
    const std::uint32_t address = imagebytes::ReadU32(&request[kReportAddressByte]);
    const std::size_t first = kReportSize - bytes;
    std::size_t carried = 0;
    for (std::size_t at = first; at < kReportSize; at += 4) {
        const std::uint32_t word = address + static_cast<std::uint32_t>((at - first) / 2);
        const std::size_t offset = 2 * static_cast<std::size_t>(word);
        if (offset + 4 > kProgramMemoryBytes) break;
        const std::size_t length = std::min<std::size_t>(4, kReportSize - at);
        std::memcpy(&reply[at], &state_[offset], length);
        if (faults.wrongBitAddress && *faults.wrongBitAddress == word) reply[at] ^= faults.wrongBitMask;
        carried += length;
    }
    if (carried < bytes) {
        // Past the end of memory: only the words that exist, still right-aligned.
        Report shorter = replyHeader(request);
        std::memcpy(&shorter[kReportSize - carried], &reply[first], carried);
        reply = shorter;
    }
    reply[kReportCountByte] = static_cast<std::uint8_t>(carried);
    return reply;
}

Report SimulatedPanel::readData(const Report& request) const {
    Report reply = replyHeader(request);
    const std::uint32_t address = imagebytes::ReadU32(&request[kReportAddressByte]);
    std::size_t n = std::min<std::size_t>(request[kReportCountByte], kReportMaxData);
    n = address < kDataMemoryBytes ? std::min<std::size_t>(n, kDataMemoryBytes - address) : 0;
    if (n > 0) std::memcpy(&reply[kReportDataByte], &state_[kProgramMemoryBytes + address], n);
    reply[kReportCountByte] = static_cast<std::uint8_t>(n);
    return reply;
}

SimulatedPanel::Change SimulatedPanel::writeData(const Report& request) {
    const std::uint32_t address = imagebytes::ReadU32(&request[kReportAddressByte]);
    std::size_t n = std::min<std::size_t>(request[kReportCountByte], kReportMaxData);
    n = address < kDataMemoryBytes ? std::min<std::size_t>(n, kDataMemoryBytes - address) : 0;
    Change change;
    for (std::size_t i = 0; i < n; ++i) {
        if (dataMemory()[address + i] != request[kReportDataByte + i]) {
            dataMemory()[address + i] = request[kReportDataByte + i];
            change.add(kProgramMemoryBytes + address + i);
        }
    }
    return change;
}

bool SimulatedPanel::changed(const Change& change) {
    if (change.empty() || !stateFile_.attached()) return true;
    std::string error = "the state file cannot be written (a test's fault)";
    if (!faults.stateFileWritesFail && stateFile_.update(state_, change.begin, change.end, &error)) return true;
    lastSaveError_ = error;
    return false;
}

bool SimulatedPanel::reload(std::string* error) {
    if (!stateFile_.attached()) return true;
    const std::string path = stateFile_.path();
    return load(path, error);
}

bool SimulatedPanel::load(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error) *error = "cannot open the panel state file " + path;
        return false;
    }
    // One byte more than a state file holds is enough to tell that the size is wrong.
    std::string bytes(kStateSize + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.size() != kStateSize) {
        if (error) {
            *error =
                path + " is not a panel state file (it should hold exactly " + std::to_string(kStateSize) + " bytes)";
        }
        return false;
    }
    in.close();
    state_ = std::move(bytes);
    stateFile_.adopt(path, kStateSize);
    return true;
}

}  // namespace tamrik
