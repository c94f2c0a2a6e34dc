#include "ui/dialogs/ValueButton.h"

namespace tamrik {

ValueButton::ValueButton(SettingsStore& store, const ValueButtonSpec& spec, QWidget* parent)
    : QPushButton(parent), store_(store), spec_(spec) {
    setObjectName(QString::fromLatin1(spec.key));
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &ValueButton::edit);
    refresh();
}

void ValueButton::refresh() {
    const char* value = SettingGet(store_, spec_.key);
    value_ = value ? QString::fromLatin1(value) : QString();
    if (!spec_.secondsSuffix) {
        setText(value_);
    } else {
        setText(value ? value_ + QLatin1Char('s') : QStringLiteral("???"));
    }
}

void ValueButton::edit() {
    const char* value = SettingSet(store_, spec_.key, spec_.fallback);
    TimeEntryRequest request{QString::fromLatin1(spec_.title), QString::fromLatin1(value ? value : ""), spec_.minimum,
                             spec_.maximum, spec_.step};
    bool confirmed = false;
    switch (spec_.kind) {
        case ValueDialog::Kind::MinSec:
            confirmed = MinSecDialog(window(), request);
            break;
        case ValueDialog::Kind::Number:
            confirmed = NumberDialog(window(), request);
            break;
        case ValueDialog::Kind::PulseTime:
            confirmed = PulseTimeDialog(window(), request.value);
            break;
        case ValueDialog::Kind::Clock:
            confirmed = ClockDialog(window(), request.value);
            break;
    }
    if (confirmed) SettingPut(store_, spec_.key, request.value.toLatin1().toStdString());
    refresh();
}

}  // namespace tamrik
