#include "panel/ReadPanelWorker.h"

#include <vector>

#include "images/EventLog.h"
#include "images/ImageChecksum.h"
#include "images/ImageLayout.h"
#include "images/LoopRecord.h"
#include "images/SiteImage.h"
#include "panel/PanelMessages.h"

namespace tamrik {
namespace {

std::uint16_t storedChecksum(const std::uint8_t* dataMemory, std::size_t offset) {
    return static_cast<std::uint16_t>(dataMemory[offset] | dataMemory[offset + 1] << 8);
}

// Reads into `store`, a site of its own. `imagesMatch` tells whether the checksum words the last
// write left in data memory match the images read: a write stopped half-way leaves them apart.
bool readSequence(PanelSession& session, SettingsStore& store, std::uint8_t* buffer, bool& imagesMatch) {
    using namespace panelmessages;
    TransferObserver& observer = session.observer();

    observer.ProgressTitle(kReadingSiteData, {1, 3});
    if (session.PanelReadWords(buffer, kSiteDataAddress, kSiteImageSize) != 1) return false;
    const std::uint16_t siteChecksum = ImageChecksum(buffer, kSiteImageSize);
    if (!SiteImageDecode(store, buffer)) {
        observer.Message({kSiteDataErrorTitle, kUnsupportedSiteData, MessageIcon::Error, false});
        return false;
    }

    observer.ProgressTitle(kReadingLoopData, {2, 3});
    if (session.PanelReadWords(buffer, kLoopDataAddress, kLoopImageSize) != 1) return false;
    const std::uint16_t loopChecksum = ImageChecksum(buffer, kLoopImageSize);
    session.PanelReadFirmwareVersion(nullptr, store);
    for (int address = 1; address <= kLoopRecordCount; ++address) {
        LoopRecordDecode(store, address, buffer + kLoopRecordSize * (address - 1));
    }

    observer.ProgressTitle(kReadingEventLog, {3, 3});
    if (session.PanelReadMemory(buffer, kEventLogDataAddress, kEventLogImageSize) != 1) return false;
    EventLogDecode(store, buffer);
    imagesMatch = storedChecksum(buffer, kEventLogSiteChecksumOffset) == siteChecksum &&
                  storedChecksum(buffer, kEventLogLoopChecksumOffset) == loopChecksum;
    store.insertIfAbsent("PanelData", "1");
    store.markSaved();
    return true;
}

}  // namespace

bool ReadPanelWorker(PanelSession& session) {
    std::vector<std::uint8_t> buffer(kTransferBufferSize);
    bool imagesMatch = true;
    // The session's site is replaced only by a whole read: a failed or stopped one leaves it, and its
    // saved mark, exactly as they were.
    SettingsStore readSite;
    const bool read = readSequence(session, readSite, buffer.data(), imagesMatch);
    if (read) session.store().swap(readSite);
    TransferObserver& observer = session.observer();
    observer.ProgressSet(-1);
    // The site is still read (and may be saved): the warning says not to trust it as the panel's.
    if (read && !imagesMatch) {
        observer.Message(
            {panelmessages::kProgramTitle, panelmessages::kPanelDataChecksumMismatch, MessageIcon::Warning, true});
    }
    return read;
}

}  // namespace tamrik
