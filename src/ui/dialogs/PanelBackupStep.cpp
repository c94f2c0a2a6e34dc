#include "ui/dialogs/PanelBackupStep.h"

#include "site/PanelBackups.h"
#include "ui/dialogs/MessageBoxes.h"

namespace tamrik {

std::optional<std::vector<std::string>> BackUpBeforeWriting(QWidget* owner,
                                                            const std::function<bool(SettingsStore&)>& readPanel,
                                                            const std::filesystem::path& folder,
                                                            const SettingsStore* writing) {
    BackupBeforeWrite backup = BackUpPanel(readPanel, folder, writing);
    if (backup.path) return std::move(backup.changes);
    ShowMessageBox(owner, QStringLiteral("5300 Commissioning software Error"),
                   QStringLiteral("The panel's settings could not be backed up: %1.\r\n"
                                  "Nothing was written to the panel.")
                       .arg(QString::fromLocal8Bit(backup.error.c_str())),
                   BoxIcon::Error);
    return std::nullopt;
}

}  // namespace tamrik
