#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace tamrik {

// The open-file dialog for a firmware file: titled "Open file", filter "Firmware (*.hex)", default
// extension "hex"; the file must exist. Returns the chosen path, or an empty string when cancelled.
QString SelectHexFile(QWidget* owner, const QString& currentPath);

// Test hook: while enabled no dialog is shown and each call takes the next queued name (cancel when
// the queue is empty).
namespace hex_file_chooser_test {
void Enable(bool on);
void QueueFileNames(const QStringList& names);
}  // namespace hex_file_chooser_test

}  // namespace tamrik
