#include "ui/dialogs/ValueDialogs.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstring>

#include "images/ValueSteps.h"
#include "ui/dialogs/FocusOrder.h"
#include "ui/dialogs/StepField.h"

namespace tamrik {
namespace {

QString minSecText(int seconds) {
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// A minutes:seconds text without a colon would be left as typed by the step routine and then read
// as no delay at all when the site is sent to the panel; read it as a count of seconds instead.
void prefixMissingColon(char* text) {
    if (std::strchr(text, ':')) return;
    const std::size_t length = std::strlen(text);
    if (length + 3 > static_cast<std::size_t>(kStepTextCapacity)) return;
    std::memmove(text + 2, text, length + 1);
    text[0] = '0';
    text[1] = ':';
}

StepField::Stepper stepperFor(ValueDialog::Kind kind, const TimeEntryRequest& request) {
    switch (kind) {
        case ValueDialog::Kind::MinSec: {
            const MinSecSpin spin{request.maximum, request.step};
            return [spin](char* text, int direction) {
                prefixMissingColon(text);
                MinSecStep(text, direction, &spin);
            };
        }
        case ValueDialog::Kind::Number: {
            const int step = request.step;
            const int minimum = request.minimum;
            const int maximum = request.maximum;
            return [=](char* text, int direction) { NumberStep(text, direction, step, minimum, maximum); };
        }
        case ValueDialog::Kind::PulseTime:
            return [](char* text, int direction) { HalfSecStep(text, direction); };
        case ValueDialog::Kind::Clock:
            return [](char* text, int direction) { ClockStep(text, direction); };
    }
    return {};
}

int maxLengthFor(ValueDialog::Kind kind) { return kind == ValueDialog::Kind::Number ? 4 : 5; }

QString rangeText(ValueDialog::Kind kind, const TimeEntryRequest& request) {
    switch (kind) {
        case ValueDialog::Kind::MinSec:
            return QStringLiteral("0:00 to %1 (m:ss), steps of %2 s")
                .arg(minSecText(request.maximum))
                .arg(request.step);
        case ValueDialog::Kind::Number:
            if (request.step > 1)
                return QStringLiteral("%1 to %2, steps of %3")
                    .arg(request.minimum)
                    .arg(request.maximum)
                    .arg(request.step);
            return QStringLiteral("%1 to %2").arg(request.minimum).arg(request.maximum);
        case ValueDialog::Kind::PulseTime:
            return QStringLiteral("0.5 to 127.5 seconds, steps of 0.5");
        case ValueDialog::Kind::Clock:
            return QStringLiteral("0:00 to 23:59 (HH:MM)");
    }
    return {};
}

QString templateTitle(ValueDialog::Kind kind) {
    switch (kind) {
        case ValueDialog::Kind::MinSec:
            return QStringLiteral("Time delay MM:SS");
        case ValueDialog::Kind::Number:
            return QStringLiteral("Adjust seconds");
        case ValueDialog::Kind::PulseTime:
            return QStringLiteral("Set pulse time (Seconds)");
        case ValueDialog::Kind::Clock:
            return QStringLiteral("Adjust time HH:MM");
    }
    return {};
}

bool runValueDialog(QWidget* owner, ValueDialog::Kind kind, TimeEntryRequest& request) {
    ValueDialog dialog(kind, request, owner);
    if (dialog.exec() != QDialog::Accepted) return false;
    request.value = dialog.valueText();
    return true;
}

}  // namespace

ValueDialog::ValueDialog(Kind kind, const TimeEntryRequest& request, QWidget* owner) : QDialog(owner), kind_(kind) {
    setObjectName(QStringLiteral("valueDialog"));
    setWindowTitle(request.title.isEmpty() ? templateTitle(kind) : request.title);
    build(request);
}

void ValueDialog::build(const TimeEntryRequest& request) {
    field_ = new StepField(stepperFor(kind_, request), maxLengthFor(kind_), this);
    field_->setObjectName(QStringLiteral("valueField"));
    field_->setValueText(request.value);
    field_->setMinimumWidth(110);

    auto* range = new QLabel(rangeText(kind_, request), this);
    range->setObjectName(QStringLiteral("rangeLabel"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    if (kind_ == Kind::MinSec) {
        QPushButton* noDelay = buttons->addButton(QStringLiteral("No delay"), QDialogButtonBox::ResetRole);
        noDelay->setObjectName(QStringLiteral("noDelayButton"));
        noDelay->setAutoDefault(false);
        connect(noDelay, &QPushButton::clicked, this, [this] { field_->setValueText(QStringLiteral("0:00")); });
    }
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &ValueDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ValueDialog::reject);

    auto* fieldRow = new QHBoxLayout;
    fieldRow->addWidget(field_);
    fieldRow->addWidget(range);
    fieldRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fieldRow);
    layout->addWidget(buttons);
    setMinimumWidth(260);
    setFixedSize(sizeHint().expandedTo(minimumSize()));
    OrderTabsAsShown(this);
    field_->setFocus();
}

QString ValueDialog::valueText() const { return field_->valueText(); }

void ValueDialog::accept() {
    field_->normalise();
    QDialog::accept();
}

bool MinSecDialog(QWidget* owner, TimeEntryRequest& request) {
    return runValueDialog(owner, ValueDialog::Kind::MinSec, request);
}

bool NumberDialog(QWidget* owner, TimeEntryRequest& request) {
    return runValueDialog(owner, ValueDialog::Kind::Number, request);
}

bool PulseTimeDialog(QWidget* owner, QString& value) {
    TimeEntryRequest request{templateTitle(ValueDialog::Kind::PulseTime), value, 1, 255, 1};
    if (!runValueDialog(owner, ValueDialog::Kind::PulseTime, request)) return false;
    value = request.value;
    return true;
}

bool ClockDialog(QWidget* owner, QString& value) {
    TimeEntryRequest request{templateTitle(ValueDialog::Kind::Clock), value, 0, 23 * 60 + 59, 1};
    if (!runValueDialog(owner, ValueDialog::Kind::Clock, request)) return false;
    value = request.value;
    return true;
}

}  // namespace tamrik
