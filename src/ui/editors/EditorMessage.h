#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace tamrik {

enum class EditorMessageIcon { None, Information, Error };

// Every message box of the editors goes through here (OK button only).
void ShowEditorMessage(QWidget* owner, const QString& title, const QString& text,
                       EditorMessageIcon icon = EditorMessageIcon::Error);

// Test hook: while enabled no box is shown and each call is logged instead.
namespace editor_message_test {
struct Shown {
    QString title;
    QString text;
    EditorMessageIcon icon;
};
void Enable(bool on);
QList<Shown> TakeShown();
}  // namespace editor_message_test

}  // namespace tamrik
