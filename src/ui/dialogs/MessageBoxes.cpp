#include "ui/dialogs/MessageBoxes.h"

#include <QMessageBox>

namespace tamrik {
namespace {

struct TestHook {
    bool enabled = false;
    QList<bool> answers;
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

bool ShowMessageBox(QWidget* owner, const QString& title, const QString& text, BoxIcon icon, BoxButtons buttons) {
    TestHook& hook = testHook();
    if (hook.enabled) {
        hook.shown.append({title, text, icon, buttons});
        if (buttons == BoxButtons::Ok) return true;
        return hook.answers.isEmpty() ? false : hook.answers.takeFirst();
    }
    const bool question = buttons != BoxButtons::Ok;
    const auto standard = question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
    QMessageBox box(qtIcon(icon), title, QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), standard,
                    owner);
    box.setObjectName(QStringLiteral("dialogMessageBox"));
    if (buttons == BoxButtons::YesNoDefaultNo) box.setDefaultButton(QMessageBox::No);
    const int answer = box.exec();
    return question ? answer == QMessageBox::Yes : true;
}

namespace message_box_test {

void Enable(bool on) {
    testHook() = TestHook{};
    testHook().enabled = on;
}

void QueueAnswers(const QList<bool>& answers) { testHook().answers.append(answers); }

QList<Shown> TakeShown() {
    QList<Shown> shown;
    shown.swap(testHook().shown);
    return shown;
}

}  // namespace message_box_test
}  // namespace tamrik
