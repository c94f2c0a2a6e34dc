#pragma once

#include <QDialog>
#include <QString>
#include <filesystem>
#include <memory>
#include <optional>

#include "panel/FirmwareUpdate.h"
#include "panel/PanelLink.h"
#include "settings/SettingsStore.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tamrik {

class GuiTransferObserver;
class PanelSession;

// "Change panel firmware": shows the firmware the panel runs, loads a HEX file and shows its type
// and version, refuses files of an unknown type, asks before installing an older version, and runs
// the update under the progress window; the dialog closes itself once the update has run.
//
// The panel's version is read when the dialog is made; when that fails (the connection fault has
// been reported) the dialog ends at once. With a preset path it loads that file and starts the
// update by itself as soon as it runs. Given a backup folder, Write first keeps the panel's site as
// a backup there; when that fails nothing is written and the dialog stays open.
class FirmwareDialog : public QDialog {
    Q_OBJECT
public:
    FirmwareDialog(PanelLink& link, SettingsStore& store, QWidget* owner = nullptr, const QString& presetPath = {},
                   std::optional<std::filesystem::path> backupFolder = std::nullopt);
    ~FirmwareDialog() override;

    bool panelAnswered() const { return panelAnswered_; }
    bool fileLoaded() const { return loaded_; }
    bool firmwareWritten() const { return written_; }

    // "Select new file" and "Write", as their buttons run them.
    void selectNewFile();
    void write();

    int exec() override;
    void reject() override;

private:
    void build();
    void loadFile(const QString& path);
    bool backUpPanel();
    // A disabled Write button says why in its tooltip.
    void setWriteEnabled(bool enabled, const QString& whyNot);

    std::unique_ptr<GuiTransferObserver> observer_;
    std::unique_ptr<PanelSession> session_;
    FirmwareFile file_;
    bool loaded_ = false;
    bool written_ = false;
    bool panelAnswered_ = false;
    int panelVersionNumber_ = 0;
    QString path_;
    bool preset_ = false;
    std::optional<std::filesystem::path> backupFolder_;

    QLineEdit* fileName_ = nullptr;
    QLineEdit* fileVersion_ = nullptr;
    QLineEdit* fileType_ = nullptr;
    QLineEdit* panelVersion_ = nullptr;
    QLabel* fileProblem_ = nullptr;
    QPushButton* writeButton_ = nullptr;
};

// Runs the dialog modally (not at all when the panel could not be read); true when firmware was written.
bool RunFirmwareDialog(QWidget* owner, PanelLink& link, SettingsStore& store, const QString& presetPath = {},
                       std::optional<std::filesystem::path> backupFolder = std::nullopt);

}  // namespace tamrik
