#include "panel/PanelSession.h"

#include <algorithm>
#include <cstring>

#include "images/ImageBytes.h"
#include "panel/IdentityCopy.h"
#include "panel/PanelMessages.h"

namespace tamrik {
namespace {

int percentOf(std::uint64_t done, std::uint64_t total) { return static_cast<int>(done * 100 / total); }

// A reply never carries more than a report holds, whatever its count byte claims.
std::size_t replyCount(const Report& report) { return std::min<std::size_t>(report[kReportCountByte], kReportMaxData); }

}  // namespace

std::uint8_t PanelSession::PanelSend(Report& report) {
    if (observer_.stopPending()) throw TransferStopped{};
    for (std::uint8_t attempt = 0; attempt < 4; ++attempt) {
        if (link_.LinkWrite(report.data(), static_cast<std::uint16_t>(kReportSize)) == 1) {
            return static_cast<std::uint8_t>(3 - attempt);
        }
    }
    return 255;
}

// The first report to arrive is the reply; it lands in the request's buffer. Each read blocks for at
// most its own limit; a read that fails at once (nothing open) waits out the rest of its slot, so
// the wait never spins.
bool PanelSession::awaitReply() {
    LinkClock& clock = link_.clock();
    const auto deadline = clock.now() + kReplyWaitLimit;
    for (;;) {
        const auto slotStart = clock.now();
        if (link_.LinkRead(report_.data(), static_cast<std::uint8_t>(kReportSize)) == 1) return true;
        const auto now = clock.now();
        if (now > deadline) return false;
        if (now < slotStart + kLinkWaitLimit) clock.sleepUntil(slotStart + kLinkWaitLimit);
    }
}

void PanelSession::prepare(std::uint8_t command, std::uint32_t address, std::uint8_t count) {
    report_[0] = 0;
    report_[kReportCommandByte] = command;
    for (int i = 0; i < 4; ++i) report_[kReportAddressByte + i] = static_cast<std::uint8_t>(address >> (8 * i));
    report_[kReportCountByte] = count;
}

void PanelSession::connectionFault(bool foreground) {
    observer_.ProgressSet(-1);
    observer_.Message({panelmessages::kErrorTitle, panelmessages::kConnectionFault, MessageIcon::Error, foreground});
}

void PanelSession::cannotProgram() {
    observer_.ProgressSet(-1);
    observer_.Message({panelmessages::kErrorTitle, panelmessages::kCannotProgramPage, MessageIcon::Error, true});
}

int PanelSession::PanelQuery() {
    report_[0] = 0;
    report_[kReportCommandByte] = kCommandQuery;
    PanelSend(report_);
    if (!awaitReply()) return 0;
    programMemoryEnd =
        imagebytes::ReadU32(&report_[kQueryReplyFirstByte]) + imagebytes::ReadU32(&report_[kQueryReplySecondByte]);
    return 1;
}

int PanelSession::PanelEraseBlock(std::uint32_t address) {
    prepare(kCommandEraseBlock, address, report_[kReportCountByte]);
    PanelSend(report_);
    report_[kReportCommandByte] = kCommandQuery;
    PanelSend(report_);
    return awaitReply() ? 1 : 0;
}

bool PanelSession::requestBlock(std::uint8_t command, std::uint32_t address) {
    prepare(command, address, static_cast<std::uint8_t>(kReportMaxData));
    PanelSend(report_);
    if (awaitReply()) return true;
    connectionFault();
    return false;
}

int PanelSession::PanelReadWords(std::uint8_t* destination, std::uint32_t address, std::uint16_t count) {
    std::size_t done = 0;
    int emptyReplies = 0;
    while (done < count) {
        if (!requestBlock(kCommandReadProgram, address)) return 0;
        // Words are right-aligned, 4 bytes each; the first two bytes of a word hold the data. A word
        // cut by the end of the report (an odd count) is asked for again.
        const std::size_t n = replyCount(report_);
        const std::size_t first = kReportSize - n;
        std::size_t words = 0;
        for (std::size_t offset = 0; offset < n && done < count; offset += 4) {
            const std::size_t at = first + offset;
            if (at + 1 >= kReportSize) break;
            destination[done++] = report_[at];
            if (done < count) destination[done++] = report_[at + 1];
            address += 2;
            ++words;
        }
        if (!keepGoingAfterReply(words != 0, emptyReplies)) return 0;
        observer_.ProgressSet(percentOf(done, count));
    }
    return 1;
}

bool PanelSession::keepGoingAfterReply(bool carriedData, int& emptyReplies) {
    if (carriedData) {
        emptyReplies = 0;
        return true;
    }
    if (++emptyReplies < kMaxEmptyReplies) return true;
    connectionFault();
    return false;
}

int PanelSession::PanelProgramWords(const std::uint8_t* source, std::uint32_t address, std::uint32_t count) {
    std::size_t done = 0;
    while (done < count) {
        const std::size_t remaining = count - done;
        const std::size_t n = std::min<std::size_t>(4 * ((remaining + 1) / 2), kReportMaxProgram);
        prepare(kCommandProgram, address, static_cast<std::uint8_t>(n));
        for (std::size_t at = kReportSize - n; at < kReportSize; at += 4) {
            report_[at] = source[done];
            // An odd count leaves the word's second byte unprogrammed (erased flash reads 0xFF).
            report_[at + 1] = done + 1 < count ? source[done + 1] : 0xFF;
            report_[at + 2] = 0;
            report_[at + 3] = 0;
            done = std::min<std::size_t>(done + 2, count);
            address += 2;
        }
        if (!sendProgramStep()) return 0;
        observer_.ProgressSet(percentOf(done, count));
    }
    prepare(kCommandProgramComplete, 0, 0);
    PanelSend(report_);
    return 1;
}

bool PanelSession::sendProgramStep() {
    PanelSend(report_);
    report_[kReportCommandByte] = kCommandQuery;
    PanelSend(report_);
    if (awaitReply()) return true;
    cannotProgram();
    return false;
}

int PanelSession::PanelProgramCode(const std::uint8_t* source, std::uint32_t start, std::uint32_t end) {
    std::uint32_t address = start;
    while (address < end) {
        const std::size_t words = std::min<std::size_t>((end - address + 1) / 2, kReportMaxProgram / 4);
        const std::size_t n = 4 * words;
        prepare(kCommandProgram, address, static_cast<std::uint8_t>(n));
        for (std::size_t at = kReportSize - n; at < kReportSize; at += 4) {
            std::memcpy(&report_[at], source + 2 * static_cast<std::size_t>(address - start), 4);
            address += 2;
        }
        if (!sendProgramStep()) return 0;
        observer_.ProgressSet(percentOf(address, end));
    }
    prepare(kCommandProgramComplete, 0, 0);
    PanelSend(report_);
    return 1;
}

int PanelSession::PanelReadCode(std::uint8_t* destination, std::uint32_t start, std::uint32_t end) {
    std::uint32_t address = start;
    int emptyReplies = 0;
    while (address < end) {
        if (!requestBlock(kCommandReadProgram, address)) return 0;
        // Whole words only, right-aligned; a word the report cuts short is asked for again.
        const std::size_t n = replyCount(report_);
        const std::size_t first = kReportSize - n;
        std::size_t words = 0;
        for (std::size_t at = first; at + 4 <= kReportSize && address < end; at += 4) {
            std::memcpy(destination + 2 * static_cast<std::size_t>(address - start), &report_[at], 4);
            address += 2;
            ++words;
        }
        if (!keepGoingAfterReply(words != 0, emptyReplies)) return 0;
        observer_.ProgressSet(percentOf(address, end));
    }
    return 1;
}

int PanelSession::PanelReadMemory(std::uint8_t* destination, std::uint16_t address, std::uint16_t count) {
    std::size_t done = 0;
    std::uint32_t at = address;
    int emptyReplies = 0;
    while (done < count) {
        if (!requestBlock(kCommandReadData, at)) return 0;
        const std::size_t taken = std::min(replyCount(report_), count - done);
        std::memcpy(destination + done, &report_[kReportDataByte], taken);
        done += taken;
        at += static_cast<std::uint32_t>(taken);
        if (!keepGoingAfterReply(taken != 0, emptyReplies)) return 0;
        observer_.ProgressSet(percentOf(done, count));
    }
    return 1;
}

int PanelSession::PanelWriteMemory(const std::uint8_t* source, std::uint16_t address, std::uint16_t count) {
    std::size_t done = 0;
    std::uint32_t at = address;
    while (done < count) {
        const std::size_t n = std::min<std::size_t>(kReportMaxData, count - done);
        prepare(kCommandWriteData, at, static_cast<std::uint8_t>(n));
        std::memcpy(&report_[kReportDataByte], source + done, n);
        at += static_cast<std::uint32_t>(n);
        PanelSend(report_);
        if (!awaitReply()) {
            connectionFault(false);
            return 0;
        }
        done += n;
        observer_.ProgressSet(percentOf(done, count));
    }
    return 1;
}

int PanelSession::PanelReadIdentity(PanelIdentity& identity) {
    std::uint8_t copy[kIdentityCopySize] = {};
    if (PanelReadWords(copy, kIdentityCopyAddress, kIdentityCopySize) == 1 && IdentityCopyIsValid(copy)) {
        identity = PanelIdentity::fromBytes(copy);
        return 1;
    }
    std::uint8_t record[9] = {};
    if (PanelReadWords(record, kSiteIdentityAddress, sizeof record) != 1) return 0;
    identity = PanelIdentity::fromBytes(record);
    return 2;
}

int PanelSession::PanelWriteIdentity(const PanelIdentity& identity) {
    const auto copy = IdentityCopyBuild(identity);
    if (PanelEraseBlock(kIdentityCopyAddress) != 1) return 0;
    return PanelProgramWords(copy.data(), kIdentityCopyAddress, static_cast<std::uint32_t>(copy.size())) == 1 ? 1 : 0;
}

int PanelSession::PanelReadFirmwareVersion(std::string* raw, SettingsStore& into) {
    if (raw) raw->clear();
    std::uint8_t characters[8] = {};
    if (PanelReadWords(characters, kFirmwareVersionAddress, sizeof characters) != 1) {
        into.put("FirmwareVersion", "0");
        return 0;
    }
    const std::string_view text(reinterpret_cast<const char*>(characters), sizeof characters);
    if (raw) *raw = std::string(text.substr(0, text.find('\0')));
    into.put("FirmwareVersion", FirmwareVersionText(text));
    return 1;
}

std::string FirmwareVersionText(std::string_view raw) {
    char c[8] = {};
    std::memcpy(c, raw.data(), std::min<std::size_t>(raw.size(), sizeof c));
    const char shown[] = {c[0], '.', c[1], c[2], c[3], ' ', '/', ' ', c[4], '.', c[5], c[6], c[7]};
    const std::string_view text(shown, sizeof shown);
    return std::string(text.substr(0, text.find('\0')));
}

int FirmwareVersionNumber(std::string_view raw) {
    int value = 0;
    for (std::size_t i = 0; i < 3 && i < raw.size() && raw[i] >= '0' && raw[i] <= '9'; ++i) {
        value = value * 10 + (raw[i] - '0');
    }
    return value;
}

}  // namespace tamrik
