#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "site/PanelBackups.h"

class QTreeWidget;

namespace tamrik {

// "Restore backup": the panel backups, newest first, with when each was taken, the site's name and
// the panel's serial number. The chosen one's file is what the dialog answers; loading it is the
// caller's business.
class RestoreBackupDialog : public QDialog {
    Q_OBJECT
public:
    RestoreBackupDialog(std::vector<PanelBackup> backups, QWidget* owner = nullptr);

    QTreeWidget* list() const { return list_; }
    // The chosen backup's file, or empty while none is chosen.
    QString chosenPath() const;

private:
    std::vector<PanelBackup> backups_;
    QTreeWidget* list_;
};

}  // namespace tamrik
