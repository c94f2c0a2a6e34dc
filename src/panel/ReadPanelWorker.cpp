#include "panel/ReadPanelWorker.h"

#include <vector>

#include "images/EventLog.h"
#include "images/ImageLayout.h"
#include "images/LoopRecord.h"
#include "images/SiteImage.h"
#include "panel/PanelMessages.h"

namespace tamrik {
namespace {

bool readSequence(PanelSession& session, std::uint8_t* buffer) {
    using namespace panelmessages;
    TransferObserver& observer = session.observer();
    SettingsStore& store = session.store();

    observer.ProgressTitle(kReadingSiteData);
    if (session.PanelReadWords(buffer, kSiteDataAddress, kSiteImageSize) != 1) return false;
    if (!SiteImageDecode(store, buffer)) {
        observer.Message({kSiteDataErrorTitle, kUnsupportedSiteData, MessageIcon::Error, false});
        return false;
    }

    observer.ProgressTitle(kReadingLoopData);
    if (session.PanelReadWords(buffer, kLoopDataAddress, kLoopImageSize) != 1) return false;
    session.PanelReadFirmwareVersion();
    for (int address = 1; address <= kLoopRecordCount; ++address) {
        LoopRecordDecode(store, address, buffer + kLoopRecordSize * (address - 1));
    }

    observer.ProgressTitle(kReadingEventLog);
    if (session.PanelReadMemory(buffer, kEventLogDataAddress, kEventLogImageSize) != 1) return false;
    EventLogDecode(store, buffer);
    SettingSet(store, "PanelData", "1");
    return true;
}

}  // namespace

bool ReadPanelWorker(PanelSession& session) {
    std::vector<std::uint8_t> buffer(kTransferBufferSize);
    const bool read = readSequence(session, buffer.data());
    session.observer().ProgressSet(-1);
    return read;
}

}  // namespace tamrik
