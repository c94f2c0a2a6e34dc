#pragma once

#include <QString>
#include <QValidator>
#include <functional>

class QLineEdit;

namespace tamrik {

// Typing rules of the dialogs' edit fields. They act on what the user types or pastes only: a value
// put in by the program (the stored value when a dialog opens) is shown as it is, and characters
// already in a field are never removed by a rule, so a dialog that is confirmed untouched writes
// back exactly what it was given.

// Drops the typed or pasted characters that are not in `allowed` (after upper-casing them when
// `upperCase`), leaving the rest of the field alone; then `judge`, when given, rates the whole text
// (Invalid refuses the keystroke). Installed on a field after its stored value has been put in.
class TypedTextValidator : public QValidator {
    Q_OBJECT
public:
    using Judge = std::function<State(const QString& text)>;

    TypedTextValidator(QLineEdit* field, QString allowed, bool upperCase = false, Judge judge = {});

    State validate(QString& input, int& pos) const override;

private:
    QString allowed_;
    bool upperCase_;
    Judge judge_;
    QString previous_;  // the field's text before the edit being validated
};

// Digits only (the field's own limit says how many); with a `maximum`, a typed number above it is
// refused.
void MakeDigitsField(QLineEdit* field, long maximum = -1);

// An access code: six digits, each from 1 to 4; fewer is an unfinished code (not acceptable input).
void MakeAccessCodeField(QLineEdit* field);

// A serial number: 1 to 8 hexadecimal digits, typed letters shown in capitals.
void MakeHexSerialField(QLineEdit* field);

// Shows `text` under a typing limit of `maxLength` characters. A longer stored text is shown whole
// (the limit then grows to it) rather than being cut by merely opening the dialog.
void SetTextWithLimit(QLineEdit* field, const QString& text, int maxLength);

}  // namespace tamrik
