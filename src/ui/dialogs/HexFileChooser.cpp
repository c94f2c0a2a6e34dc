#include "ui/dialogs/HexFileChooser.h"

#include <QFileDialog>
#include <QFileInfo>

namespace tamrik {
namespace {

struct TestHook {
    bool enabled = false;
    QStringList names;
};

TestHook& testHook() {
    static TestHook hook;
    return hook;
}

}  // namespace

QString SelectHexFile(QWidget* owner, const QString& currentPath) {
    TestHook& hook = testHook();
    if (hook.enabled) return hook.names.isEmpty() ? QString() : hook.names.takeFirst();

    QFileDialog dialog(owner, QStringLiteral("Open file"));
    dialog.setObjectName(QStringLiteral("hexFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("Firmware (*.hex)"));
    dialog.setDefaultSuffix(QStringLiteral("hex"));
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!currentPath.isEmpty()) dialog.selectFile(currentPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

namespace hex_file_chooser_test {

void Enable(bool on) {
    testHook() = TestHook{};
    testHook().enabled = on;
}

void QueueFileNames(const QStringList& names) { testHook().names.append(names); }

}  // namespace hex_file_chooser_test
}  // namespace tamrik
