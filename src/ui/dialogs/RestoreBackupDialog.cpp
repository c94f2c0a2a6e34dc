#include "ui/dialogs/RestoreBackupDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tamrik {

RestoreBackupDialog::RestoreBackupDialog(std::vector<PanelBackup> backups, QWidget* owner)
    : QDialog(owner), backups_(std::move(backups)) {
    setObjectName(QStringLiteral("restoreBackupDialog"));
    setWindowTitle(QStringLiteral("Restore backup"));

    auto* note = new QLabel(QStringLiteral("The chosen backup becomes the current site; the panel is not changed "
                                           "until you send it."),
                            this);
    note->setWordWrap(true);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("backupList"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels({QStringLiteral("Taken"), QStringLiteral("Site name"), QStringLiteral("Panel serial")});
    for (const PanelBackup& backup : backups_) {
        auto* row = new QTreeWidgetItem(
            list_, {QString::fromLatin1(backup.takenAt.c_str()), QString::fromLatin1(backup.siteName.c_str()),
                    QString::fromLatin1(backup.serial.c_str())});
        row->setToolTip(0, QString::fromLocal8Bit(backup.path.c_str()));
    }
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->header()->setStretchLastSection(false);
    list_->setMinimumSize(520, 280);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* load = buttons->addButton(QStringLiteral("Load"), QDialogButtonBox::AcceptRole);
    load->setObjectName(QStringLiteral("loadButton"));
    load->setEnabled(false);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::currentItemChanged, this,
            [load](QTreeWidgetItem* current) { load->setEnabled(current != nullptr); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
}

QString RestoreBackupDialog::chosenPath() const {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row < 0 || row >= static_cast<int>(backups_.size())) return {};
    return QString::fromLocal8Bit(backups_[static_cast<std::size_t>(row)].path.c_str());
}

}  // namespace tamrik
