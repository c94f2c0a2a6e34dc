#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "panel/sim/SimulatedPanel.h"

// A stand-in for the hidapi library: devices are entries of a list, and a device with a panel hands
// every report written to it to that simulated panel and reads that panel's replies.
namespace tamrik::fakehid {

struct Device {
    std::string path;
    std::uint16_t vendorId = 0x04D8;
    std::uint16_t productId = 0xFB4C;
    std::uint16_t releaseNumber = 0x0100;
    bool openable = true;
    std::shared_ptr<SimulatedPanel> panel;  // none: a device that never answers
    int openError = 13;                     // errno when it can't be opened (EACCES)
    bool shortWrites = false;               // every write sends one byte less than asked
};

struct Calls {
    int enumerations = 0;
    std::vector<std::string> opened;
    int closed = 0;
    std::vector<std::size_t> writeLengths;
    std::vector<std::uint8_t> writeReportIds;
    std::vector<std::size_t> readLengths;
    std::vector<int> readTimeouts;
};

// The devices present, in enumeration order, and what the link asked of the library.
std::vector<Device>& Devices();
Calls& CallLog();
void Reset();

}  // namespace tamrik::fakehid
