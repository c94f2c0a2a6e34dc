#include "app/gui/DesktopSettings.h"

#include <QSettings>

namespace tamrik {
namespace {

const QString kBackupBeforeWriting = QStringLiteral("panel/backupBeforeWriting");

QSettings desktopSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tamrik"), QStringLiteral("tamrik"));
}

}  // namespace

bool BackupBeforeWritingEnabled() { return desktopSettings().value(kBackupBeforeWriting, true).toBool(); }

void SetBackupBeforeWriting(bool on) { desktopSettings().setValue(kBackupBeforeWriting, on); }

}  // namespace tamrik
