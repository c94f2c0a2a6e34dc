#include "ui/dialogs/TextFieldRules.h"

#include <QLineEdit>
#include <algorithm>

namespace tamrik {

TypedTextValidator::TypedTextValidator(QLineEdit* field, QString allowed, bool upperCase, Judge judge)
    : QValidator(field),
      allowed_(std::move(allowed)),
      upperCase_(upperCase),
      judge_(std::move(judge)),
      previous_(field->text()) {
    connect(field, &QLineEdit::textChanged, this, [this](const QString& text) { previous_ = text; });
    field->setValidator(this);
}

QValidator::State TypedTextValidator::validate(QString& input, int& pos) const {
    // What was typed or pasted is what lies between the parts the text shares with the text before.
    const qsizetype shorter = std::min(input.size(), previous_.size());
    qsizetype head = 0;
    while (head < shorter && input[head] == previous_[head]) ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && input[input.size() - 1 - tail] == previous_[previous_.size() - 1 - tail]) ++tail;

    QString kept = input.left(head);
    for (qsizetype i = head; i < input.size() - tail; ++i) {
        const QChar typed = upperCase_ ? input[i].toUpper() : input[i];
        if (allowed_.contains(typed)) {
            kept.append(typed);
        } else if (i < pos) {
            --pos;
        }
    }
    kept.append(input.right(tail));
    input = kept;
    return judge_ ? judge_(input) : Acceptable;
}

void MakeDigitsField(QLineEdit* field, long maximum) {
    TypedTextValidator::Judge judge;
    if (maximum >= 0) {
        judge = [maximum](const QString& text) {
            bool number = false;
            const long value = text.toLong(&number);
            return number && value > maximum ? QValidator::Invalid : QValidator::Acceptable;
        };
    }
    new TypedTextValidator(field, QStringLiteral("0123456789"), false, std::move(judge));
}

void MakeAccessCodeField(QLineEdit* field) {
    field->setMaxLength(std::max(6, static_cast<int>(field->text().size())));
    new TypedTextValidator(field, QStringLiteral("1234"), false, [](const QString& text) {
        return text.size() == 6 ? QValidator::Acceptable : QValidator::Intermediate;
    });
}

void MakeHexSerialField(QLineEdit* field) {
    field->setMaxLength(std::max(8, static_cast<int>(field->text().size())));
    new TypedTextValidator(field, QStringLiteral("0123456789ABCDEF"), true, [](const QString& text) {
        return text.isEmpty() ? QValidator::Intermediate : QValidator::Acceptable;
    });
}

void SetTextWithLimit(QLineEdit* field, const QString& text, int maxLength) {
    field->setMaxLength(std::max(maxLength, static_cast<int>(text.size())));
    field->setText(text);
}

}  // namespace tamrik
