#pragma once

#include <QString>

namespace tamrik {

// What a value dialog edits: its title, the value text (replaced by the confirmed, normalised text
// on OK and left alone on Cancel) and the limits. Minutes:seconds values count in seconds, whole
// numbers in units.
struct TimeEntryRequest {
    QString title;
    QString value;
    int minimum = 0;
    int maximum = 0;
    int step = 1;
};

}  // namespace tamrik
