#include "panel/WritePanelWorker.h"

#include <algorithm>
#include <vector>

#include "images/ImageChecksum.h"
#include "images/ImageLayout.h"
#include "images/ImageValueCheck.h"
#include "images/LoopRecord.h"
#include "images/SiteImage.h"
#include "panel/PanelMessages.h"

namespace tamrik {
namespace {

constexpr std::uint32_t kSiteBlocks[] = {0x2400, 0x2800, 0x2C00, 0x3000, 0x3400, 0x3800};
constexpr std::uint32_t kLoopBlocks[] = {0x1800, 0x1C00, 0x2000};

// The checksum word goes into data memory ahead of the image it covers. Its failure has been told
// (and the progress display closed); the write goes on and usually fails at a later step.
void writeChecksum(PanelSession& session, std::uint16_t address, std::uint16_t checksum) {
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(checksum), static_cast<std::uint8_t>(checksum >> 8)};
    session.PanelWriteMemory(bytes, address, sizeof bytes);
}

bool writeSequence(PanelSession& session, std::uint8_t* encoded, std::uint8_t* verify) {
    using namespace panelmessages;
    TransferObserver& observer = session.observer();
    SettingsStore& store = session.store();

    PanelIdentity identity{};
    if (session.PanelReadIdentity(identity) == 0) return false;
    session.PanelReadFirmwareVersion();

    const std::uint16_t siteChecksum = SiteImageEncode(store, encoded, identity);
    writeChecksum(session, kSiteChecksumDataAddress, siteChecksum);
    if (session.PanelWriteIdentity(identity) != 1) {
        observer.Message({kNvFailTitle, kNvDataNotWritten, MessageIcon::Error, true});
    }

    observer.ProgressTitle(kWritingSiteData, {1, 4});
    for (std::uint32_t block : kSiteBlocks) session.PanelEraseBlock(block);
    if (session.PanelProgramWords(encoded, kSiteDataAddress, kSiteImageSize) != 1) return false;
    observer.ProgressTitle(kVerifyingSiteData, {2, 4});
    if (session.PanelReadWords(verify, kSiteDataAddress, kSiteImageSize) != 1) return false;
    if (!std::equal(encoded, encoded + kSiteImageSize, verify)) return false;

    observer.ProgressTitle(kWritingLoopData, {3, 4});
    for (int address = 1; address <= kLoopRecordCount; ++address) {
        LoopRecordEncode(store, encoded + kLoopRecordSize * (address - 1), address);
    }
    writeChecksum(session, kLoopChecksumDataAddress, ImageChecksum(encoded, kLoopImageSize));
    for (std::uint32_t block : kLoopBlocks) session.PanelEraseBlock(block);
    if (session.PanelProgramWords(encoded, kLoopDataAddress, kLoopImageSize) != 1) return false;
    observer.ProgressTitle(kVerifyingLoopData, {4, 4});
    if (session.PanelReadWords(verify, kLoopDataAddress, kLoopImageSize) != 1) return false;
    return std::equal(encoded, encoded + kLoopImageSize, verify);
}

// Values the images cannot carry would reach the panel wrapped, cut or zeroed: the write is refused
// before anything is sent, with one line per value.
bool valuesFit(PanelSession& session) {
    const std::vector<std::string> problems = ImageValueProblems(session.store());
    if (problems.empty()) return true;
    std::string text;
    for (const std::string& line : problems) text += (text.empty() ? "" : "\r\n") + line;
    session.observer().ProgressSet(-1);
    session.observer().Message({panelmessages::kErrorTitle, text, MessageIcon::Error, true});
    return false;
}

}  // namespace

bool WritePanelWorker(PanelSession& session) {
    using namespace panelmessages;
    std::vector<std::uint8_t> encoded(kTransferBufferSize);
    std::vector<std::uint8_t> verify(kTransferBufferSize);
    const bool written = valuesFit(session) && writeSequence(session, encoded.data(), verify.data());
    TransferObserver& observer = session.observer();
    observer.ProgressSet(-1);
    if (written) {
        observer.Message({kSuccessTitle, kSettingsSent, MessageIcon::None, true});
    } else {
        observer.Message({kFailTitle, kSettingsNotWritten, MessageIcon::Error, true});
    }
    return written;
}

}  // namespace tamrik
