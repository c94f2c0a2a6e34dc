#include "ui/dialogs/StepField.h"

#include <QLineEdit>
#include <cstdlib>
#include <cstring>

#include "images/ValueSteps.h"

namespace tamrik {
namespace {

// The routines read back no more than this much of what was typed.
constexpr int kReadBackLength = 6;

}  // namespace

StepField::StepField(Stepper stepper, int maxLength, QWidget* parent)
    : QAbstractSpinBox(parent), stepper_(std::move(stepper)) {
    lineEdit()->setMaxLength(maxLength);
    setAccelerated(true);
}

void StepField::setValueText(const QString& text) { lineEdit()->setText(text); }

QString StepField::valueText() const { return lineEdit()->text(); }

void StepField::stepBy(int steps) {
    // A positive Qt step is the up arrow, which the routines take as a negative direction.
    const int direction = steps > 0 ? -1 : 1;
    for (int i = 0; i < std::abs(steps); ++i) apply(direction);
}

void StepField::apply(int direction) {
    char buffer[kStepTextCapacity] = {};
    const QByteArray typed = lineEdit()->text().left(kReadBackLength).toLatin1();
    std::memcpy(buffer, typed.constData(), static_cast<std::size_t>(typed.size()));
    stepper_(buffer, direction);
    buffer[kStepTextCapacity - 1] = '\0';
    lineEdit()->setText(QString::fromLatin1(buffer));
    lineEdit()->end(false);
}

}  // namespace tamrik
