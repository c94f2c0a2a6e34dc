#pragma once

#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"

class QWidget;

namespace tamrik {

// The heading of the progress window while the panel is read for its backup.
inline const QString kBackingUpHeading = QStringLiteral("Backing up panel settings...");

// Before a write or a firmware update: reads the panel once with `readPanel` (a read under the
// progress window headed kBackingUpHeading) and keeps what it read as the panel's backup in
// `folder`. When no backup could be made, says so and answers nothing: then nothing may be written.
// Otherwise answers what writing `writing` will change (nothing listed without `writing`).
std::optional<std::vector<std::string>> BackUpBeforeWriting(QWidget* owner,
                                                            const std::function<bool(SettingsStore&)>& readPanel,
                                                            const std::filesystem::path& folder,
                                                            const SettingsStore* writing);

}  // namespace tamrik
