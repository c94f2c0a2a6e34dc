#pragma once

#include <QString>

class QLineEdit;

namespace tamrik {

// Typing rules of the dialogs' edit fields. They act on what the user types or pastes only: a value
// put in by the program (the stored value when a dialog opens) is shown as it is, so a dialog that
// is confirmed untouched writes back exactly what it was given.

// Drops every typed character that is not in `allowed`; the caret stays after the kept text.
void KeepOnlyCharacters(QLineEdit* field, const QString& allowed);

// Digits only, at most `maxLength` of them.
void MakeDigitsField(QLineEdit* field, int maxLength);

// An access code: at most six digits, each from 1 to 4.
void MakeAccessCodeField(QLineEdit* field);

// Shows `text` under a typing limit of `maxLength` characters. A longer stored text is shown whole
// (the limit then grows to it) rather than being cut by merely opening the dialog.
void SetTextWithLimit(QLineEdit* field, const QString& text, int maxLength);

}  // namespace tamrik
