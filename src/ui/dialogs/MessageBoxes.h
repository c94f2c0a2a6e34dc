#pragma once

#include <QList>
#include <QString>
#include <memory>

class QMessageBox;
class QWidget;

namespace tamrik {

enum class BoxIcon { None, Information, Warning, Error, Question };
// YesNoDefaultNo: for questions whose Yes risks the panel, so that Enter answers No.
enum class BoxButtons { Ok, YesNo, YesNoDefaultNo, SaveDiscardCancel };

// Every message box the dialogs show goes through this one function, so tests can answer them
// without a modal loop. Returns true for OK or Yes, false for No (or a box closed without an answer).
// Texts may use CR LF line ends; they are shown as plain line breaks.
// `details`, when given, is shown on request under the text (a list of what the text sums up).
bool ShowMessageBox(QWidget* owner, const QString& title, const QString& text, BoxIcon icon,
                    BoxButtons buttons = BoxButtons::Ok, const QString& details = {});
// The box ShowMessageBox shows, not yet shown.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* owner, const QString& title, const QString& text, BoxIcon icon,
                                            BoxButtons buttons = BoxButtons::Ok, const QString& details = {});

// The question before work would be lost: save it first, throw it away, or do nothing after all.
enum class SaveChoice { Save, Discard, Cancel };
SaveChoice AskSaveChoice(QWidget* owner, const QString& title, const QString& text);

// Test hook: while enabled no box is shown; every call is recorded, a Yes/No box takes the next
// queued answer (No when the queue is empty) and a save question the next queued choice (Cancel
// when none is queued, so that a test never loses work by accident).
namespace message_box_test {
struct Shown {
    QString title;
    QString text;
    BoxIcon icon;
    BoxButtons buttons;
    QString details;
};
void Enable(bool on);
void QueueAnswers(const QList<bool>& answers);
void QueueChoices(const QList<SaveChoice>& choices);
QList<Shown> TakeShown();
}  // namespace message_box_test

}  // namespace tamrik
