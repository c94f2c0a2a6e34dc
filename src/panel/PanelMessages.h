#pragma once

// The words the panel transfers say to the user. Front ends and tests compare against these.
namespace tamrik::panelmessages {

inline constexpr const char* kProgramTitle = "5300 Commissioning software";
inline constexpr const char* kErrorTitle = "5300 Commissioning software Error";
inline constexpr const char* kSuccessTitle = "Success";
inline constexpr const char* kFailTitle = "Fail!";
inline constexpr const char* kNvFailTitle = "NV Fail!";
inline constexpr const char* kSiteDataErrorTitle = "Site data error";
inline constexpr const char* kAreYouSureTitle = "Are you sure?";

inline constexpr const char* kConnectionFault = "Fault with connection to panel";
inline constexpr const char* kCannotProgramPage = "Can't program page!";
inline constexpr const char* kUnsupportedSiteData = "Site data is in an unsupported format";
inline constexpr const char* kNvDataNotWritten = "NV Data not written to panel!";
inline constexpr const char* kSettingsSent = "Settings have been sent to the panel";
inline constexpr const char* kSettingsNotWritten = "Settings have NOT been written to panel";
inline constexpr const char* kFirmwareWritten = "Firmware written to the panel";
inline constexpr const char* kFirmwareNotWritten = "Firmware has NOT been written to panel";
inline constexpr const char* kPanelDataChecksumMismatch =
    "Panel data does not match its checksum: the last write to this panel may not have finished";
inline constexpr const char* kOlderFirmwareQuestion =
    "Are you sure you want to update the panel firmware\r\nwith a version older than the one currently in use?";

inline constexpr const char* kProgressTitle = "Progress...";
inline constexpr const char* kReadingSiteData = "Reading site data...";
inline constexpr const char* kReadingLoopData = "Reading loop data...";
inline constexpr const char* kReadingEventLog = "Reading event log...";
inline constexpr const char* kWritingSiteData = "Writing site data...";
inline constexpr const char* kVerifyingSiteData = "Verifying site data...";
inline constexpr const char* kWritingLoopData = "Writing loop data...";
inline constexpr const char* kVerifyingLoopData = "Verifying loop data...";
inline constexpr const char* kErasing = "Erasing...";
inline constexpr const char* kWritingFirmware = "Writing panel firmware...";
inline constexpr const char* kVerifyingFirmware = "Verifying panel firmware...";

}  // namespace tamrik::panelmessages
