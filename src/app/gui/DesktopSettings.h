#pragma once

namespace tamrik {

// The desktop program's own choices, kept between runs in $XDG_CONFIG_HOME/tamrik/tamrik.ini.

// Whether Send settings and a firmware update first keep the panel's site as a backup (on unless
// turned off).
bool BackupBeforeWritingEnabled();
void SetBackupBeforeWriting(bool on);

}  // namespace tamrik
