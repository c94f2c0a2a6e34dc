#include "site/PanelBackups.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "settings/SiteFile.h"
#include "site/SiteKeys.h"
#include "site/WriteChanges.h"

namespace tamrik {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kStampLength = 15;  // yyyymmdd-hhmmss

// The folder of one panel: its serial number when that is one, else "unknown".
std::string panelFolderName(std::string_view serial) {
    const bool usable = !serial.empty() && serial.size() <= 8 &&
                        serial.find_first_not_of("0123456789ABCDEFabcdef") == std::string_view::npos;
    return usable ? std::string(serial) : "unknown";
}

// "20261206-140509.psf" or, for a second backup within the same second, "20261206-140509-2.psf".
struct BackupName {
    std::string stamp;
    int repeat = 0;
    bool operator<(const BackupName& other) const {
        return stamp != other.stamp ? stamp < other.stamp : repeat < other.repeat;
    }
};

std::optional<BackupName> backupName(const fs::path& file) {
    const std::string stem = file.stem().string();
    if (file.extension() != ".psf" || stem.size() < kStampLength || stem[8] != '-') return std::nullopt;
    BackupName name{stem.substr(0, kStampLength)};
    if (name.stamp.find_first_not_of("0123456789-") != std::string::npos) return std::nullopt;
    if (stem.size() > kStampLength) {
        if (stem[kStampLength] != '-') return std::nullopt;
        name.repeat = ParseLeadingInt(stem.substr(kStampLength + 1));
        if (name.repeat <= 0) return std::nullopt;
    }
    return name;
}

// The backups in one panel's folder, oldest first.
std::vector<std::pair<BackupName, fs::path>> backupsIn(const fs::path& panelFolder) {
    std::vector<std::pair<BackupName, fs::path>> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(panelFolder, error)) {
        if (!entry.is_regular_file(error)) continue;
        if (auto name = backupName(entry.path())) found.emplace_back(*name, entry.path());
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return found;
}

std::string shownTime(const std::string& stamp) {
    return stamp.substr(0, 4) + "-" + stamp.substr(4, 2) + "-" + stamp.substr(6, 2) + " " + stamp.substr(9, 2) + ":" +
           stamp.substr(11, 2) + ":" + stamp.substr(13, 2) + " UTC";
}

}  // namespace

fs::path BackupFolder() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/') {
        return fs::path(data) / "tamrik" / "backups";
    }
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / ".local" / "share" / "tamrik" / "backups";
}

std::optional<std::string> SavePanelBackup(const SettingsStore& site, const fs::path& folder,
                                           std::chrono::system_clock::time_point takenAt, std::string* error) {
    const fs::path panelFolder = folder / panelFolderName(site.text("PanelSnum"));
    std::error_code made;
    fs::create_directories(panelFolder, made);
    if (made) {
        if (error) *error = "cannot make the backup folder " + panelFolder.string() + ": " + made.message();
        return std::nullopt;
    }
    const std::time_t seconds = std::chrono::system_clock::to_time_t(takenAt);
    char stamp[32] = "";
    if (const std::tm* utc = std::gmtime(&seconds)) std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", utc);
    fs::path path = panelFolder / (std::string(stamp) + ".psf");
    for (int repeat = 2; fs::exists(path); ++repeat) {
        path = panelFolder / (std::string(stamp) + "-" + std::to_string(repeat) + ".psf");
    }
    if (!SiteFileWrite(path.string(), site, error)) return std::nullopt;

    auto backups = backupsIn(panelFolder);
    for (std::size_t i = 0; i + kKeptBackups < backups.size(); ++i) {
        std::error_code ignored;
        fs::remove(backups[i].second, ignored);
    }
    return path.string();
}

std::vector<PanelBackup> ListPanelBackups(const fs::path& folder, const std::optional<std::string>& serial) {
    std::vector<fs::path> panelFolders;
    if (serial) {
        panelFolders.push_back(folder / panelFolderName(*serial));
    } else {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder, error)) {
            if (entry.is_directory(error)) panelFolders.push_back(entry.path());
        }
        std::sort(panelFolders.begin(), panelFolders.end());
    }
    std::vector<std::pair<BackupName, PanelBackup>> backups;
    for (const fs::path& panelFolder : panelFolders) {
        for (const auto& [name, path] : backupsIn(panelFolder)) {
            SettingsStore site;
            SiteFileRead(path.string(), site);
            backups.push_back({name, PanelBackup{path.string(), panelFolder.filename().string(), shownTime(name.stamp),
                                                 ValueInWords(ValueWords::DisplayText, site.text("SiteName"))}});
        }
    }
    std::stable_sort(backups.begin(), backups.end(), [](const auto& a, const auto& b) { return b.first < a.first; });
    std::vector<PanelBackup> newestFirst;
    for (auto& [name, backup] : backups) newestFirst.push_back(std::move(backup));
    return newestFirst;
}

BackupBeforeWrite BackUpPanel(const std::function<bool(SettingsStore&)>& readPanel, const fs::path& folder,
                              const SettingsStore* writing) {
    BackupBeforeWrite result;
    SettingsStore current;
    if (!readPanel(current)) {
        result.error = "the panel was not read";
    } else {
        result.path = SavePanelBackup(current, folder, std::chrono::system_clock::now(), &result.error);
        if (result.path && writing) result.changes = WriteChanges(current, *writing);
    }
    return result;
}

std::string ChangeCountText(std::size_t changes) {
    if (changes == 0) return "No settings will change";
    return std::to_string(changes) + (changes == 1 ? " setting will change" : " settings will change");
}

}  // namespace tamrik
