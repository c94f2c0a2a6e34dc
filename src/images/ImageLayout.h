#pragma once

#include <cstddef>

namespace tamrik {

// Sizes of the three images the panel keeps.
constexpr std::size_t kSiteImageSize = 6144, kLoopImageSize = 3072, kLoopRecordSize = 16, kEventLogImageSize = 8192;

// Loop data: one record per loop address 1..192, address a at offset 16 x (a - 1).
constexpr int kLoopRecordCount = static_cast<int>(kLoopImageSize / kLoopRecordSize);

// Site data: the first word names the layout revision; the identity record is copied from the
// nine bytes that follow it.
constexpr std::size_t kSiteRevisionOffset = 0;
constexpr std::size_t kSiteIdentityOffset = 2;
constexpr std::size_t kSiteIdentitySize = 9;

// Event log (the first 8192 bytes of the panel's data memory).
constexpr std::size_t kEventRecordSize = 8;
constexpr std::size_t kFireAreaOffset = 8;
constexpr std::size_t kNonFireAreaOffset = 2408;
constexpr std::size_t kEventAreaEnd = 8180;
constexpr std::size_t kMaxFireEvents = (kNonFireAreaOffset - kFireAreaOffset) / kEventRecordSize;   // 300
constexpr std::size_t kMaxNonFireEvents = (kEventAreaEnd - kNonFireAreaOffset) / kEventRecordSize;  // 721
// The writer keeps the checksums of the site and loop images here, beside the event log.
constexpr std::size_t kEventLogSiteChecksumOffset = 8180;
constexpr std::size_t kEventLogLoopChecksumOffset = 8182;
constexpr std::size_t kEventLogAlarmCountOffset = 8184;
constexpr std::size_t kEventLogFireCountOffset = 8186;
constexpr std::size_t kEventLogNonFireCountOffset = 8188;
// The six bytes from the fire count to the end add up to this, modulo 256.
constexpr std::size_t kEventLogCheckedOffset = 8186;
constexpr unsigned kEventLogCheckSum = 0x5A;

}  // namespace tamrik
