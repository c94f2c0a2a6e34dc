#include "ui/editors/EditorMessage.h"

#include <QMessageBox>

namespace tamrik {
namespace {

struct TestLog {
    bool enabled = false;
    QList<editor_message_test::Shown> shown;
};

TestLog& testLog() {
    static TestLog log;
    return log;
}

QMessageBox::Icon qtIcon(EditorMessageIcon icon) {
    switch (icon) {
        case EditorMessageIcon::Information:
            return QMessageBox::Information;
        case EditorMessageIcon::Error:
            return QMessageBox::Critical;
        case EditorMessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void ShowEditorMessage(QWidget* owner, const QString& title, const QString& text, EditorMessageIcon icon) {
    if (testLog().enabled) {
        testLog().shown.append({title, text, icon});
        return;
    }
    QMessageBox box(qtIcon(icon), title, text, QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("editorMessageBox"));
    box.exec();
}

namespace editor_message_test {

void Enable(bool on) {
    testLog() = TestLog{};
    testLog().enabled = on;
}

QList<Shown> TakeShown() {
    QList<Shown> shown;
    shown.swap(testLog().shown);
    return shown;
}

}  // namespace editor_message_test
}  // namespace tamrik
