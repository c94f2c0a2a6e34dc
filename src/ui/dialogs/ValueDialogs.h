#pragma once

#include <QDialog>
#include <QString>

#include "ui/dialogs/TimeEntryRequest.h"

class QLabel;
class QPushButton;

namespace tamrik {

class StepField;

// The small dialogs that edit one delay, count, pulse time or time of day. OK normalises the text
// (lowering it to the maximum and rounding it to the step) and confirms; Cancel changes nothing.
class ValueDialog : public QDialog {
    Q_OBJECT
public:
    enum class Kind {
        MinSec,     // minutes:seconds, within 0..maximum seconds, in steps of `step` seconds, "No delay" button
        Number,     // a whole number within minimum..maximum, in steps of `step`
        PulseTime,  // seconds in half-second steps within 0.5..127.5
        Clock,      // a time of day, one minute per step, wrapping through midnight
    };

    ValueDialog(Kind kind, const TimeEntryRequest& request, QWidget* owner = nullptr);

    Kind kind() const { return kind_; }
    StepField* field() const { return field_; }
    // The text the dialog would hand back now (normalised only by OK).
    QString valueText() const;

    void accept() override;

private:
    void build(const TimeEntryRequest& request);

    Kind kind_;
    StepField* field_ = nullptr;
};

// Each runs its dialog modally and returns true when OK was pressed; the confirmed text then
// replaces request.value (or value).
bool MinSecDialog(QWidget* owner, TimeEntryRequest& request);
bool NumberDialog(QWidget* owner, TimeEntryRequest& request);
bool PulseTimeDialog(QWidget* owner, QString& value);
bool ClockDialog(QWidget* owner, QString& value);

}  // namespace tamrik
