#include "app/gui/UserPrompts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <utility>

namespace tamrik {
namespace {

struct FileDialogTestState {
    bool enabled = false;
    QStringList fileNames;
    QList<UserPrompts::FileRequest> requests;
};

FileDialogTestState& fileDialogTest() {
    static FileDialogTestState state;
    return state;
}

bool confirmNewFile(QWidget* owner, const QString& path) {
    if (path.isEmpty() || QFileInfo::exists(path)) return !path.isEmpty();
    return UserPrompts::askYesNo(
        owner, QStringLiteral("Create file"),
        QStringLiteral("%1\r\nThis file does not exist.\r\nCreate the file?").arg(QFileInfo(path).fileName()));
}

// The filter that the initial name matches ("*.txt" picks "Text file (*.txt)"), else the first.
QString initialNameFilter(const QString& initialName, const QString& filterText) {
    const QStringList parts = filterText.split(QLatin1Char(','));
    const QString name = QFileInfo(initialName).fileName();
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString& pattern = parts[i + 1];
        if (name == pattern || QDir::match(pattern, name)) return UserPrompts::qtFilter(parts[i] + u',' + pattern);
    }
    return {};
}

QString runFileDialog(QWidget* owner, const QString& initialName, const QString& filterText, bool save) {
    QFileDialog dialog(owner, save ? QStringLiteral("Save file") : QStringLiteral("Open file"));
    dialog.setObjectName(save ? QStringLiteral("saveFileDialog") : QStringLiteral("openFileDialog"));
    dialog.setNameFilter(UserPrompts::qtFilter(filterText));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (save) dialog.setDefaultSuffix(UserPrompts::defaultSuffix(filterText));
    if (const QString filter = initialNameFilter(initialName, filterText); !filter.isEmpty()) {
        dialog.selectNameFilter(filter);
    }
    // A pattern as the initial name ("*.txt") stands in the name field, as a hint of what to pick.
    if (!initialName.isEmpty()) dialog.selectFile(initialName);
    FileDialogTestState& state = fileDialogTest();
    if (state.enabled) {
        const auto* nameField = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        state.requests.append({dialog.selectedNameFilter(), nameField ? nameField->text() : QStringLiteral("?")});
        return state.fileNames.isEmpty() ? QString() : state.fileNames.takeFirst();
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString path = dialog.selectedFiles().constFirst();
    return confirmNewFile(owner, path) ? path : QString();
}

}  // namespace

bool UserPrompts::askYesNo(QWidget* owner, const QString& title, const QString& text, PromptIcon icon, bool risky) {
    return ShowMessageBox(owner, title, text, icon, risky ? BoxButtons::YesNoDefaultNo : BoxButtons::YesNo);
}

void UserPrompts::show(QWidget* owner, const QString& title, const QString& text, PromptIcon icon,
                       const QString& details) {
    ShowMessageBox(owner, title, text, icon, BoxButtons::Ok, details);
}

QString UserPrompts::saveFileName(QWidget* owner, const QString& initialName, const QString& filterText) {
    return runFileDialog(owner, initialName, filterText, true);
}

QString UserPrompts::openFileName(QWidget* owner, const QString& initialName, const QString& filterText) {
    return runFileDialog(owner, initialName, filterText, false);
}

QString UserPrompts::qtFilter(const QString& filterText) {
    const QStringList parts = filterText.split(QLatin1Char(','));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) filters << QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1]);
    return filters.join(QStringLiteral(";;"));
}

QString UserPrompts::defaultSuffix(const QString& filterText) {
    return filterText.size() >= 4 ? filterText.right(3) : QString();
}

void UserPrompts::setTestMode(bool on) {
    message_box_test::Enable(on);
    message_box_test::TakeShown();
    fileDialogTest() = FileDialogTestState{on, {}, {}};
}

void UserPrompts::queueAnswers(const QList<bool>& answers) { message_box_test::QueueAnswers(answers); }
void UserPrompts::queueChoices(const QList<SaveChoice>& choices) { message_box_test::QueueChoices(choices); }

SaveChoice UserPrompts::askSaveChanges(QWidget* owner) {
    return AskSaveChoice(owner, QStringLiteral("5300 Commissioning software"),
                         QStringLiteral("Save changes to the current site?"));
}
void UserPrompts::queueFileNames(const QStringList& names) { fileDialogTest().fileNames.append(names); }

QList<UserPrompts::FileRequest> UserPrompts::takeFileRequests() { return std::exchange(fileDialogTest().requests, {}); }

QList<UserPrompts::Shown> UserPrompts::takeShown() {
    QList<Shown> shown;
    for (const auto& box : message_box_test::TakeShown()) {
        shown.append({box.title, box.text, box.icon, box.buttons != BoxButtons::Ok, box.details});
    }
    return shown;
}

}  // namespace tamrik
