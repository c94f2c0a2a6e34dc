#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "images/PanelIdentity.h"
#include "panel/PanelLink.h"
#include "panel/PanelMemoryMap.h"
#include "panel/TransferObserver.h"
#include "settings/SettingsStore.h"

namespace tamrik {

// A reply must arrive within this long after its request was sent.
constexpr std::chrono::milliseconds kReplyWaitLimit{500};
// Replies that carry nothing (count 0, or too short for one word) in a row before a block transfer
// gives up as if the panel had gone silent; the panel repeating such a reply would otherwise keep
// the transfer going for ever.
constexpr int kMaxEmptyReplies = 4;

// The panel's memory commands over one link, for one store and one observer. Results are 1 for
// success and 0 for failure; the block transfers tell the user about their own failures, the query
// and the erase leave that to their caller. A session is used by one thread at a time.
class PanelSession {
public:
    PanelSession(PanelLink& link, SettingsStore& store, TransferObserver& observer)
        : link_(link), store_(store), observer_(observer) {}

    PanelLink& link() { return link_; }
    SettingsStore& store() { return store_; }
    TransferObserver& observer() { return observer_; }

    // End of the panel's program memory (exclusive, address units) from the last query.
    std::uint32_t programMemoryEnd = kDefaultProgramMemoryEnd;

    // Sends the 65-byte report, trying up to 4 times; each failed try has closed the link, so the
    // next one searches for the panel again. Returns the tries left (3..0), or 255 when all failed.
    std::uint8_t PanelSend(Report& report);

    // 1 and programMemoryEnd set, or 0 when the panel did not answer (no message).
    int PanelQuery();
    // Erases the 0x400-unit block at `address`; 1 when acknowledged, 0 otherwise (no message).
    int PanelEraseBlock(std::uint32_t address);
    // Data stored 2 bytes per program word. 1, or 0 after "Fault with connection to panel".
    int PanelReadWords(std::uint8_t* destination, std::uint32_t address, std::uint16_t count);
    // Data stored 2 bytes per program word (count even). 1, or 0 after "Can't program page!".
    int PanelProgramWords(const std::uint8_t* source, std::uint32_t address, std::uint32_t count);
    // Code words, 4 source bytes per word, from `start` up to `end` (exclusive); `source` holds the
    // words from `start` on. 1, or 0 after "Can't program page!".
    int PanelProgramCode(const std::uint8_t* source, std::uint32_t start, std::uint32_t end);
    // Code words from `start` up to `end` (exclusive), 4 bytes per word into `destination`, read with
    // the largest replies the panel gives. 1, or 0 after "Fault with connection to panel".
    int PanelReadCode(std::uint8_t* destination, std::uint32_t start, std::uint32_t end);
    // Data memory. 1, or 0 after "Fault with connection to panel".
    int PanelReadMemory(std::uint8_t* destination, std::uint16_t address, std::uint16_t count);
    int PanelWriteMemory(const std::uint8_t* source, std::uint16_t address, std::uint16_t count);
    // 1 from the sealed copy, 2 from the site data when the copy is missing or damaged, 0 on failure.
    int PanelReadIdentity(PanelIdentity& identity);
    // Erases the identity block and programs the sealed copy; 1 only if both worked.
    int PanelWriteIdentity(const PanelIdentity& identity);
    // Reads the 8 version characters (into `raw` when given) and sets FirmwareVersion to the shown
    // form ("1.234 / 5.678"), or to "0" when the panel can't be read. 1, or 0.
    int PanelReadFirmwareVersion(std::string* raw = nullptr) { return PanelReadFirmwareVersion(raw, store_); }
    // The same, keeping the version in `into` instead of the session's store.
    int PanelReadFirmwareVersion(std::string* raw, SettingsStore& into);

    // The report buffer as the last request or reply left it (requests and replies share it).
    const Report& lastReport() const { return report_; }

private:
    bool awaitReply();
    // Asks for one reply's worth of a block and waits for it; false after "Fault with connection to
    // panel".
    bool requestBlock(std::uint8_t command, std::uint32_t address);
    // Sends the program report prepared in the buffer, then a query whose reply acknowledges the
    // step; false after "Can't program page!" when none comes.
    bool sendProgramStep();
    // Counts replies that carried no data; after kMaxEmptyReplies in a row reports the connection
    // fault and answers false.
    bool keepGoingAfterReply(bool carriedData, int& emptyReplies);
    void prepare(std::uint8_t command, std::uint32_t address, std::uint8_t count);
    void connectionFault(bool foreground = true);
    void cannotProgram();

    PanelLink& link_;
    SettingsStore& store_;
    TransferObserver& observer_;
    Report report_{};
};

// The 13-character shown form of 8 version characters: c0 "." c1 c2 c3 " / " c4 "." c5 c6 c7.
std::string FirmwareVersionText(std::string_view raw);
// The decimal value of the first three version characters; 0 when they don't start with a digit.
int FirmwareVersionNumber(std::string_view raw);

}  // namespace tamrik
