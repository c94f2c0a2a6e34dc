#include "ui/editors/EditorMessage.h"

namespace tamrik {

void ShowEditorMessage(QWidget* owner, const QString& title, const QString& text, EditorMessageIcon icon) {
    ShowMessageBox(owner, title, text, icon);
}

namespace editor_message_test {

void Enable(bool on) {
    message_box_test::Enable(on);
    message_box_test::TakeShown();
}

QList<Shown> TakeShown() {
    QList<Shown> shown;
    for (const auto& box : message_box_test::TakeShown()) shown.append({box.title, box.text, box.icon});
    return shown;
}

}  // namespace editor_message_test
}  // namespace tamrik
