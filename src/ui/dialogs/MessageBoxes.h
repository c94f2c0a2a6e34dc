#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace tamrik {

enum class BoxIcon { None, Information, Warning, Error, Question };
// YesNoDefaultNo: for questions whose Yes risks the panel, so that Enter answers No.
enum class BoxButtons { Ok, YesNo, YesNoDefaultNo };

// Every message box the dialogs show goes through this one function, so tests can answer them
// without a modal loop. Returns true for OK or Yes, false for No (or a box closed without an answer).
// Texts may use CR LF line ends; they are shown as plain line breaks.
bool ShowMessageBox(QWidget* owner, const QString& title, const QString& text, BoxIcon icon,
                    BoxButtons buttons = BoxButtons::Ok);

// Test hook: while enabled no box is shown; every call is recorded and a Yes/No box takes the next
// queued answer (No when the queue is empty).
namespace message_box_test {
struct Shown {
    QString title;
    QString text;
    BoxIcon icon;
    BoxButtons buttons;
};
void Enable(bool on);
void QueueAnswers(const QList<bool>& answers);
QList<Shown> TakeShown();
}  // namespace message_box_test

}  // namespace tamrik
