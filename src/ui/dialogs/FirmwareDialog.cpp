#include "ui/dialogs/FirmwareDialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "panel/FirmwareWorker.h"
#include "panel/PanelMessages.h"
#include "panel/PanelSession.h"
#include "panel/PanelTransferLock.h"
#include "panel/ReadPanelWorker.h"
#include "ui/dialogs/FocusOrder.h"
#include "ui/dialogs/FormAlignment.h"
#include "ui/dialogs/GuiTransferObserver.h"
#include "ui/dialogs/HexFileChooser.h"
#include "ui/dialogs/MessageBoxes.h"
#include "ui/dialogs/PanelBackupStep.h"

namespace tamrik {
namespace {

const QString kNoFileYet = QStringLiteral("Select a firmware file first");

QLineEdit* shownOnly(const char* name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    MakeShownOnly(field);
    field->setMinimumWidth(220);
    return field;
}

}  // namespace

FirmwareDialog::FirmwareDialog(PanelLink& link, SettingsStore& store, QWidget* owner, const QString& presetPath,
                               std::optional<std::filesystem::path> backupFolder)
    : QDialog(owner), backupFolder_(std::move(backupFolder)) {
    setObjectName(QStringLiteral("firmwareDialog"));
    setWindowTitle(QStringLiteral("Change panel firmware"));
    observer_ = std::make_unique<GuiTransferObserver>(this);
    session_ = std::make_unique<PanelSession>(link, store, *observer_);
    build();

    std::string raw;
    panelAnswered_ = session_->PanelReadFirmwareVersion(&raw) == 1;
    if (!panelAnswered_) return;
    panelVersionNumber_ = FirmwareVersionNumber(raw);
    panelVersion_->setText(QString::fromLatin1(store.text("FirmwareVersion")));

    if (!presetPath.isEmpty()) {
        path_ = presetPath;
        preset_ = true;
        QMetaObject::invokeMethod(this, &FirmwareDialog::selectNewFile, Qt::QueuedConnection);
        QMetaObject::invokeMethod(this, &FirmwareDialog::write, Qt::QueuedConnection);
    }
}

FirmwareDialog::~FirmwareDialog() = default;

void FirmwareDialog::build() {
    auto* group = new QGroupBox(QStringLiteral("Firmware file information"), this);
    fileName_ = shownOnly("firmwareFile", group);
    fileVersion_ = shownOnly("firmwareFileVersion", group);
    fileType_ = shownOnly("firmwareType", group);
    fileProblem_ = new QLabel(group);
    fileProblem_->setObjectName(QStringLiteral("fileProblem"));
    fileProblem_->setWordWrap(true);
    fileProblem_->setStyleSheet(QStringLiteral("color: #b00000"));
    fileProblem_->hide();
    auto* select = new QPushButton(QStringLiteral("Select new file"), group);
    select->setObjectName(QStringLiteral("selectButton"));
    select->setAutoDefault(false);
    connect(select, &QPushButton::clicked, this, &FirmwareDialog::selectNewFile);

    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("Firmware file"), fileName_);
    form->addRow(QStringLiteral("Firmware file version"), fileVersion_);
    form->addRow(QStringLiteral("Firmware type"), fileType_);
    form->addRow(fileProblem_);
    auto* selectRow = new QHBoxLayout;
    selectRow->addStretch(1);
    selectRow->addWidget(select);
    form->addRow(selectRow);

    auto* panelGroup = new QGroupBox(QStringLiteral("Panel"), this);
    panelVersion_ = shownOnly("panelFirmwareVersion", panelGroup);
    auto* panelForm = new QFormLayout(panelGroup);
    panelForm->addRow(QStringLiteral("Current panel firmware version"), panelVersion_);
    AlignFormLabels({form, panelForm});

    auto* buttons = new QDialogButtonBox(this);
    writeButton_ = buttons->addButton(QStringLiteral("Write"), QDialogButtonBox::AcceptRole);
    writeButton_->setObjectName(QStringLiteral("writeButton"));
    setWriteEnabled(false, kNoFileYet);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(writeButton_, &QPushButton::clicked, this, &FirmwareDialog::write);
    connect(cancel, &QPushButton::clicked, this, &FirmwareDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(panelGroup);
    layout->addWidget(buttons);
    OrderTabsAsShown(this);
    select->setFocus();
}

void FirmwareDialog::selectNewFile() {
    if (!preset_) {
        const QString chosen = SelectHexFile(this, path_);
        if (chosen.isEmpty()) return;
        path_ = chosen;
    }
    loadFile(path_);
}

// A file that can't be used leaves nothing behind: no image, empty type and version fields (so the
// fields of an earlier file never stand beside this one's name) and the reason under them.
void FirmwareDialog::loadFile(const QString& path) {
    setWriteEnabled(false, kNoFileYet);
    file_ = FirmwareFile{};
    loaded_ = false;
    fileName_->setText(QFileInfo(path).fileName());
    fileVersion_->clear();
    fileType_->clear();
    fileProblem_->hide();

    std::string error;
    if (!FirmwareFileLoad(path.toStdString(), file_, &error)) {
        file_ = FirmwareFile{};
        fileProblem_->setText(QStringLiteral("This file can't be used: %1").arg(QString::fromStdString(error)));
        fileProblem_->show();
        setWriteEnabled(false, QStringLiteral("This file can't be used"));
        return;
    }
    loaded_ = true;
    fileType_->setText(QString::fromStdString(file_.type));
    fileVersion_->setText(QString::fromStdString(file_.versionText));
    setWriteEnabled(file_.known(), QStringLiteral("The firmware type of this file is unknown"));
}

void FirmwareDialog::setWriteEnabled(bool enabled, const QString& whyNot) {
    writeButton_->setEnabled(enabled);
    writeButton_->setToolTip(enabled ? QString() : whyNot);
}

void FirmwareDialog::write() {
    if (!loaded_ || !file_.known()) return;
    if (file_.versionNumber < panelVersionNumber_ &&
        !ShowMessageBox(this, QString::fromLatin1(panelmessages::kAreYouSureTitle),
                        QString::fromLatin1(panelmessages::kOlderFirmwareQuestion), BoxIcon::Question,
                        BoxButtons::YesNoDefaultNo)) {
        return;
    }
    if (!backUpPanel()) return;
    FirmwareJob job{std::move(file_.image), file_.versionNumber};
    file_ = FirmwareFile{};
    loaded_ = false;
    observer_->run(TransferKind::Firmware, [&] { written_ = FirmwareWorker(*session_, job); });
    accept();
}

// The panel is already held by this dialog: the backup reads it in the dialog's own hold.
bool FirmwareDialog::backUpPanel() {
    if (!backupFolder_) return true;
    const auto readPanel = [this](SettingsStore& site) {
        PanelSession reading(session_->link(), site, *observer_);
        bool read = false;
        observer_->run(
            TransferKind::Read, [&] { read = ReadPanelWorker(reading); }, kBackingUpHeading);
        return read && !observer_->wasStopped();
    };
    return BackUpBeforeWriting(this, readPanel, *backupFolder_, nullptr).has_value();
}

int FirmwareDialog::exec() {
    if (!panelAnswered_) return QDialog::Rejected;
    return QDialog::exec();
}

void FirmwareDialog::reject() {
    file_ = FirmwareFile{};
    loaded_ = false;
    QDialog::reject();
}

bool RunFirmwareDialog(QWidget* owner, PanelLink& link, SettingsStore& store, const QString& presetPath,
                       std::optional<std::filesystem::path> backupFolder) {
    // The dialog reads the panel's version as it opens and may update it: the panel is held meanwhile.
    GuiTransferObserver refusal(owner);
    PanelTransferLock lock;
    if (!lock.take(link, TransferKind::Firmware, refusal)) return false;
    FirmwareDialog dialog(link, store, owner, presetPath, std::move(backupFolder));
    dialog.exec();
    return dialog.firmwareWritten();
}

}  // namespace tamrik
