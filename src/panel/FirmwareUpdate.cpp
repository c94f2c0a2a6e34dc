#include "panel/FirmwareUpdate.h"

#include "panel/FirmwareImage.h"
#include "panel/FirmwareWorker.h"
#include "panel/HexFile.h"
#include "panel/PanelMessages.h"
#include "panel/TransferRunner.h"

namespace tamrik {

bool FirmwareFileLoad(const std::string& path, FirmwareFile& file, std::string* error) {
    file = FirmwareFile{};
    file.image.assign(kFirmwareImageSize, 0xFF);
    if (HexFileLoad(path, file.image.data(), file.image.size(), error) != 1) return false;
    file.type = FirmwareTypeName(file.image.data());
    file.versionChars = FirmwareVersionChars(file.image.data());
    file.versionNumber = FirmwareVersionNumber(file.versionChars);
    file.versionText = file.known() ? FirmwareVersionText(file.versionChars) : "Unknown";
    return true;
}

FirmwareUpdateResult FirmwareUpdateFromFile(PanelSession& session, const std::string& path, std::string* detail) {
    using namespace panelmessages;
    std::string panelVersion;
    if (session.PanelReadFirmwareVersion(&panelVersion) != 1) return FirmwareUpdateResult::PanelUnreachable;

    FirmwareFile file;
    std::string error;
    if (!FirmwareFileLoad(path, file, &error)) {
        if (detail) *detail = path + ": " + error;
        return FirmwareUpdateResult::FileRefused;
    }
    if (!file.known()) {
        if (detail) *detail = path + ": the firmware type is unknown";
        return FirmwareUpdateResult::UnknownType;
    }
    if (file.versionNumber < FirmwareVersionNumber(panelVersion) &&
        !session.observer().Question(kAreYouSureTitle, kOlderFirmwareQuestion)) {
        return FirmwareUpdateResult::Declined;
    }

    FirmwareJob job{std::move(file.image), file.versionNumber};
    const bool written = RunTransfer(session.observer(), TransferKind::Firmware, [&] { return FirmwareWorker(session, job); });
    return written ? FirmwareUpdateResult::Written : FirmwareUpdateResult::Failed;
}

}  // namespace tamrik
