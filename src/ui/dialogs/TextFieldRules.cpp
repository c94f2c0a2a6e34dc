#include "ui/dialogs/TextFieldRules.h"

#include <QLineEdit>
#include <algorithm>

namespace tamrik {

void KeepOnlyCharacters(QLineEdit* field, const QString& allowed) {
    QObject::connect(field, &QLineEdit::textEdited, field, [field, allowed](const QString& text) {
        QString kept;
        kept.reserve(text.size());
        int caret = field->cursorPosition();
        const int typedCaret = caret;
        for (int i = 0; i < text.size(); ++i) {
            if (allowed.contains(text[i])) {
                kept.append(text[i]);
            } else if (i < typedCaret) {
                --caret;
            }
        }
        if (kept == text) return;
        field->setText(kept);
        field->setCursorPosition(caret);
    });
}

void MakeDigitsField(QLineEdit* field, int maxLength) {
    field->setMaxLength(std::max(maxLength, static_cast<int>(field->text().size())));
    KeepOnlyCharacters(field, QStringLiteral("0123456789"));
}

void MakeAccessCodeField(QLineEdit* field) {
    field->setMaxLength(std::max(6, static_cast<int>(field->text().size())));
    KeepOnlyCharacters(field, QStringLiteral("1234"));
}

void SetTextWithLimit(QLineEdit* field, const QString& text, int maxLength) {
    field->setMaxLength(std::max(maxLength, static_cast<int>(text.size())));
    field->setText(text);
}

}  // namespace tamrik
