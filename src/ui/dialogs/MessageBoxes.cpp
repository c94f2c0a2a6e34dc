#include "ui/dialogs/MessageBoxes.h"

#include <QMessageBox>
#include <QTextEdit>

namespace tamrik {
namespace {

struct TestHook {
    bool enabled = false;
    QList<bool> answers;
    QList<SaveChoice> choices;
    QList<message_box_test::Shown> shown;
};

TestHook& testHook() {
    static TestHook hook;
    return hook;
}

QMessageBox::Icon qtIcon(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Information:
            return QMessageBox::Information;
        case BoxIcon::Warning:
            return QMessageBox::Warning;
        case BoxIcon::Error:
            return QMessageBox::Critical;
        case BoxIcon::Question:
            return QMessageBox::Question;
        case BoxIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* owner, const QString& title, const QString& text, BoxIcon icon,
                                            BoxButtons buttons, const QString& details) {
    const bool question = buttons != BoxButtons::Ok;
    const auto standard = question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
    auto box = std::make_unique<QMessageBox>(
        qtIcon(icon), title, QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), standard, owner);
    box->setObjectName(QStringLiteral("dialogMessageBox"));
    if (buttons == BoxButtons::YesNoDefaultNo) box->setDefaultButton(QMessageBox::No);
    if (!details.isEmpty()) {
        box->setDetailedText(details);
        // Wide enough for a line of the list without wrapping it.
        if (auto* list = box->findChild<QTextEdit*>()) list->setMinimumWidth(460);
    }
    return box;
}

bool ShowMessageBox(QWidget* owner, const QString& title, const QString& text, BoxIcon icon, BoxButtons buttons,
                    const QString& details) {
    TestHook& hook = testHook();
    if (hook.enabled) {
        hook.shown.append({title, text, icon, buttons, details});
        if (buttons == BoxButtons::Ok) return true;
        return hook.answers.isEmpty() ? false : hook.answers.takeFirst();
    }
    const int answer = MakeMessageBox(owner, title, text, icon, buttons, details)->exec();
    return buttons != BoxButtons::Ok ? answer == QMessageBox::Yes : true;
}

SaveChoice AskSaveChoice(QWidget* owner, const QString& title, const QString& text) {
    TestHook& hook = testHook();
    if (hook.enabled) {
        hook.shown.append({title, text, BoxIcon::Question, BoxButtons::SaveDiscardCancel, {}});
        return hook.choices.isEmpty() ? SaveChoice::Cancel : hook.choices.takeFirst();
    }
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    owner);
    box.setObjectName(QStringLiteral("dialogMessageBox"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return SaveChoice::Save;
        case QMessageBox::Discard:
            return SaveChoice::Discard;
        default:
            return SaveChoice::Cancel;
    }
}

namespace message_box_test {

void Enable(bool on) {
    testHook() = TestHook{};
    testHook().enabled = on;
}

void QueueAnswers(const QList<bool>& answers) { testHook().answers.append(answers); }
void QueueChoices(const QList<SaveChoice>& choices) { testHook().choices.append(choices); }

QList<Shown> TakeShown() {
    QList<Shown> shown;
    shown.swap(testHook().shown);
    return shown;
}

}  // namespace message_box_test
}  // namespace tamrik
