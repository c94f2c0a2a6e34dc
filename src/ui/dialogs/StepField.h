#pragma once

#include <QAbstractSpinBox>
#include <functional>

namespace tamrik {

// An edit field with up / down arrows whose text is stepped by one of the value-text step
// routines. The routine gets the text (its first six characters) in a writable buffer of
// kStepTextCapacity characters and a direction: negative for one step up, positive for one step
// down, zero to normalise only.
class StepField : public QAbstractSpinBox {
    Q_OBJECT
public:
    using Stepper = std::function<void(char* text, int direction)>;

    StepField(Stepper stepper, int maxLength, QWidget* parent = nullptr);

    void setValueText(const QString& text);
    QString valueText() const;
    // Applies the routine with direction 0 and shows the result.
    void normalise() { apply(0); }

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

private:
    void apply(int direction);

    Stepper stepper_;
};

}  // namespace tamrik
