#include "app/gui/UserPrompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace tamrik {
namespace {

struct TestState {
    bool enabled = false;
    QList<bool> answers;
    QStringList fileNames;
    QList<UserPrompts::Shown> shown;
};

TestState& testState() {
    static TestState state;
    return state;
}

QMessageBox::Icon toQt(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::Warning: return QMessageBox::Warning;
    case PromptIcon::Error: return QMessageBox::Critical;
    case PromptIcon::Question: return QMessageBox::Question;
    case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// Message texts keep their CR LF line ends; the box shows plain line breaks.
QString forDisplay(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

bool confirmNewFile(QWidget* owner, const QString& path) {
    if (path.isEmpty() || QFileInfo::exists(path)) return !path.isEmpty();
    return UserPrompts::askYesNo(owner, QStringLiteral("Create file"),
                                 QStringLiteral("%1\r\nThis file does not exist.\r\nCreate the file?")
                                     .arg(QFileInfo(path).fileName()));
}

QString runFileDialog(QWidget* owner, const QString& initialName, const QString& filterText, bool save) {
    TestState& state = testState();
    if (state.enabled) {
        if (state.fileNames.isEmpty()) return {};
        return state.fileNames.takeFirst();
    }
    QFileDialog dialog(owner, save ? QStringLiteral("Save file") : QStringLiteral("Open file"));
    dialog.setObjectName(save ? QStringLiteral("saveFileDialog") : QStringLiteral("openFileDialog"));
    dialog.setNameFilter(UserPrompts::qtFilter(filterText));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (save) dialog.setDefaultSuffix(UserPrompts::defaultSuffix(filterText));
    if (!initialName.isEmpty() && !initialName.startsWith(QLatin1Char('*'))) dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString path = dialog.selectedFiles().constFirst();
    return confirmNewFile(owner, path) ? path : QString();
}

}  // namespace

bool UserPrompts::askYesNo(QWidget* owner, const QString& title, const QString& text, PromptIcon icon) {
    TestState& state = testState();
    if (state.enabled) {
        state.shown.append({title, text, icon, true});
        return state.answers.isEmpty() ? false : state.answers.takeFirst();
    }
    QMessageBox box(toQt(icon), title, forDisplay(text), QMessageBox::Yes | QMessageBox::No, owner);
    box.setObjectName(QStringLiteral("questionBox"));
    return box.exec() == QMessageBox::Yes;
}

void UserPrompts::show(QWidget* owner, const QString& title, const QString& text, PromptIcon icon) {
    TestState& state = testState();
    if (state.enabled) {
        state.shown.append({title, text, icon, false});
        return;
    }
    QMessageBox box(toQt(icon), title, forDisplay(text), QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("messageBox"));
    box.exec();
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
    testState() = TestState{};
    testState().enabled = on;
}

void UserPrompts::queueAnswers(const QList<bool>& answers) { testState().answers.append(answers); }
void UserPrompts::queueFileNames(const QStringList& names) { testState().fileNames.append(names); }

QList<UserPrompts::Shown> UserPrompts::takeShown() {
    QList<Shown> shown;
    shown.swap(testState().shown);
    return shown;
}

}  // namespace tamrik
