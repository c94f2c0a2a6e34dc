#pragma once

#include <cstddef>
#include <cstdint>

#include "images/ImageLayout.h"

namespace tamrik {

// Commands of the panel's memory protocol (byte 1 of a report).
enum PanelCommand : std::uint8_t {
    kCommandQuery = 0x02,            // also the acknowledgement that ends an erase or a program step
    kCommandProgram = 0x05,          // words right-aligned, 4 bytes per word
    kCommandProgramComplete = 0x06,  // not answered
    kCommandReadProgram = 0x07,      // reply right-aligned, 4 bytes per word
    kCommandEraseBlock = 0x09,
    kCommandReadData = 0x0A,  // reply left-aligned from byte 7
    kCommandWriteData = 0x0B,
};

// Report layout (multi-byte fields little-endian).
constexpr std::size_t kReportCommandByte = 1;
constexpr std::size_t kReportAddressByte = 2;  // 32-bit start address
constexpr std::size_t kReportCountByte = 6;
constexpr std::size_t kReportDataByte = 7;
constexpr std::size_t kReportMaxData = 58;        // bytes a report carries
constexpr std::size_t kReportMaxProgram = 56;     // bytes of a program report: 14 words
constexpr std::size_t kQueryReplyFirstByte = 5;   // the query reply: two 32-bit values at 5..8 and 9..12
constexpr std::size_t kQueryReplySecondByte = 9;  // whose sum is the end of program memory

// Program memory is addressed in units of which a word takes two; it is erased in blocks.
constexpr std::uint32_t kEraseBlockUnits = 0x400;
constexpr std::uint32_t kDefaultProgramMemoryEnd = 0x2A800;

// Where the panel keeps what this program reads and writes.
constexpr std::uint32_t kLoopDataAddress = 0x1800;       // program memory, 2 data bytes per word
constexpr std::uint32_t kSiteDataAddress = 0x2400;       // program memory, 2 data bytes per word
constexpr std::uint32_t kSiteIdentityAddress = 0x2402;   // the identity bytes inside the site data
constexpr std::uint32_t kIdentityCopyAddress = 0x2A400;  // the sealed identity copy, 6 words
constexpr std::uint32_t kFirmwareStartAddress = 0x5000;  // the area a firmware update replaces
constexpr std::uint32_t kFirmwareChecksumAddress = 0x5110;
constexpr std::uint32_t kFirmwareVersionAddress = 0x5112;  // 8 characters, two per word
constexpr std::uint32_t kFirmwareTypeAddress = 0x511A;     // 10 characters, two per word
constexpr std::uint16_t kEventLogDataAddress = 0x0000;     // data memory
// The two image checksums live in data memory right behind the event log area.
constexpr auto kSiteChecksumDataAddress = static_cast<std::uint16_t>(kEventLogSiteChecksumOffset);  // 0x1FF4
constexpr auto kLoopChecksumDataAddress = static_cast<std::uint16_t>(kEventLogLoopChecksumOffset);  // 0x1FF6

// Program memory as a byte image: 4 bytes per word, byte offset = 2 x address.
constexpr std::size_t kProgramMemoryBytes = 0x55000;
constexpr std::size_t kDataMemoryBytes = 8192;
constexpr std::size_t kIdentityCopySize = 12;

// The transfers' work buffers.
constexpr std::size_t kTransferBufferSize = 32768;

}  // namespace tamrik
