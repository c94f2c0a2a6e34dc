#include "panel/FirmwareWorker.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "panel/FirmwareImage.h"
#include "panel/PanelMessages.h"

namespace tamrik {
namespace {

// Erases and programs; false when any block fails. `end` is programMemoryEnd after the reduction.
bool eraseAndProgram(PanelSession& session, FirmwareJob& job, std::uint32_t end) {
    const int steps = job.readBack ? 3 : 2;
    using namespace panelmessages;
    TransferObserver& observer = session.observer();
    // The image covers program memory up to 0x2A800 only: a panel claiming more than that would have
    // the checksum and the programming read past the image, so such an update is refused.
    if (end > kFirmwareImageEnd) return false;
    FirmwareStampChecksum(job.image.data(), end);

    observer.ProgressTitle(kErasing, {1, steps});
    std::uint32_t block = kFirmwareStartAddress;
    for (; block < end; block += kEraseBlockUnits) {
        if (session.PanelEraseBlock(block) != 1) break;
        observer.ProgressSet(static_cast<int>(static_cast<std::uint64_t>(block) * 100 / end));
    }
    if (block != end) return false;
    observer.ProgressTitle(kWritingFirmware, {2, steps});
    return session.PanelProgramCode(job.image.data() + 2 * static_cast<std::size_t>(kFirmwareStartAddress),
                                    kFirmwareStartAddress, end) == 1;
}

// Reads the programmed area back and compares it with the image; false (after naming the first
// differing address) when the panel does not hold what was sent. Each word's fourth byte is not
// stored by the panel's flash, so only the three instruction bytes are compared.
bool verify(PanelSession& session, const FirmwareJob& job, std::uint32_t end) {
    using namespace panelmessages;
    TransferObserver& observer = session.observer();
    observer.ProgressTitle(kVerifyingFirmware, {3, 3});
    const std::size_t from = 2 * static_cast<std::size_t>(kFirmwareStartAddress);
    std::vector<std::uint8_t> readBack(2 * static_cast<std::size_t>(end) - from);
    if (session.PanelReadCode(readBack.data(), kFirmwareStartAddress, end) != 1) return false;
    for (std::size_t offset = 0; offset < readBack.size(); offset += 4) {
        const std::uint8_t* expected = job.image.data() + from + offset;
        if (std::equal(expected, expected + 3, readBack.data() + offset)) continue;
        char text[96];
        std::snprintf(text, sizeof text, "The panel's program memory differs from the firmware file at address 0x%05X",
                      static_cast<unsigned>(kFirmwareStartAddress + offset / 2));
        observer.ProgressSet(-1);
        observer.Message({kErrorTitle, text, MessageIcon::Error, true});
        return false;
    }
    return true;
}

}  // namespace

bool FirmwareWorker(PanelSession& session, FirmwareJob& job) {
    using namespace panelmessages;
    TransferObserver& observer = session.observer();
    bool written = false;
    if (job.image.size() == kFirmwareImageSize && session.PanelQuery() == 1) {
        if (job.fileVersionNumber >= kKeepsIdentityBlockFromVersion) session.programMemoryEnd -= kEraseBlockUnits;
        written = eraseAndProgram(session, job, session.programMemoryEnd) &&
                  (!job.readBack || verify(session, job, session.programMemoryEnd));
        if (written) {
            observer.Message({kSuccessTitle, kFirmwareWritten, MessageIcon::None, true});
        } else {
            observer.Message({kFailTitle, kFirmwareNotWritten, MessageIcon::Error, true});
        }
    }
    observer.ProgressSet(-1);
    return written;
}

}  // namespace tamrik
