#pragma once

#include <QList>
#include <QString>

#include "ui/dialogs/MessageBoxes.h"

class QWidget;

namespace tamrik {

using EditorMessageIcon = BoxIcon;

// The editors' message boxes (OK button only), shown through ShowMessageBox like every other box.
void ShowEditorMessage(QWidget* owner, const QString& title, const QString& text,
                       EditorMessageIcon icon = EditorMessageIcon::Error);

// Test hook over the one message-box hook: while enabled no box is shown and each call is logged.
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
