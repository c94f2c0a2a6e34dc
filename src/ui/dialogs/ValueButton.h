#pragma once

#include <QPushButton>

#include "settings/SettingsStore.h"
#include "ui/dialogs/ValueDialogs.h"

namespace tamrik {

// What a value button edits and how.
struct ValueButtonSetup {
    const char* key;
    ValueDialog::Kind kind;
    const char* title;
    const char* fallback;  // the value a missing key is created with before its dialog opens
    int minimum;
    int maximum;
    int step;
    bool secondsSuffix;  // the face shows the value followed by "s"
};

// A button whose face shows a delay, count or time, and which opens that value's dialog. The value
// dialog writes the key as soon as its own OK is pressed.
class ValueButton : public QPushButton {
    Q_OBJECT
public:
    ValueButton(SettingsStore& store, const ValueButtonSetup& setup, QWidget* parent = nullptr);

    const ValueButtonSetup& setup() const { return setup_; }
    // The face without its unit.
    QString valueText() const { return value_; }
    void refresh();
    // Opens the value dialog (what a click does).
    void edit();

private:
    SettingsStore& store_;
    ValueButtonSetup setup_;
    QString value_;
};

}  // namespace tamrik
