#include "ui/dialogs/ValueButton.h"

namespace tamrik {

ValueButton::ValueButton(SettingsStore& store, const ValueButtonSetup& setup, QWidget* parent)
    : QPushButton(parent), store_(store), setup_(setup) {
    setObjectName(QString::fromLatin1(setup.key));
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &ValueButton::edit);
    refresh();
}

void ValueButton::refresh() {
    const auto value = store_.get(setup_.key);
    value_ = value ? QString::fromLatin1(value->data(), static_cast<qsizetype>(value->size())) : QString();
    if (!setup_.secondsSuffix) {
        setText(value_);
    } else {
        setText(value ? value_ + QLatin1Char('s') : QStringLiteral("???"));
    }
}

void ValueButton::edit() {
    const std::string_view value = store_.insertIfAbsent(setup_.key, setup_.fallback);
    TimeEntryRequest request{QString::fromLatin1(setup_.title),
                             QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size())), setup_.minimum,
                             setup_.maximum, setup_.step};
    bool confirmed = false;
    switch (setup_.kind) {
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
    if (confirmed) store_.put(setup_.key, request.value.toLatin1().toStdString());
    refresh();
}

}  // namespace tamrik
