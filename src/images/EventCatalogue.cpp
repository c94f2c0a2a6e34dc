#include "images/EventLog.h"

namespace tamrik {
namespace {

// As the panel shows them on its 20-character display line.
constexpr const char* kEventTexts[] = {
    " SOUND ALARMS ACTIVE", "    PANEL MUTED     ", "    PANEL RESET     ", "   PANEL SILENCED   ",
    "   DEVICE NORMAL    ", "  DEVICE IN ALARM   ", "    DEVICE FAULT    ", "DEVICE FAILED SETUP ",
    "  DEVICE PREALARM   ", "    ZONE IN TEST    ", "  ZONE DISABLEMENT  ", "     ZONE FAULT     ",
    "    ALARM FAULT     ", "  ALARMS DISABLED   ", "  FIRE LINK FAULT   ", " FIRE LINK DISABLED ",
    " FIRE LINK OPERATED ", "   BATTERY FAULT    ", "    MAINS FAILED    ", "    REPEAT FAULT    ",
    "  AUX SUPPLY FAULT  ", "    CLASS CHANGE    ", "    REMOTE ALARM    ", " USER CODE ENTERED  ",
    "  ENG CODE ENTERED  ", "ADV ENG CODE ENTERED", "     CLOCK SET      ", "    PANEL RESTART   ",
    "     LOOP FAULT     ", "  BUZZER DISABLED   ", "    PC CONNECTED    ", " SITE DATA CORRUPT  ",
    " LOOP DEVICES ADDED ", "  LOOP ALARM FAULT  ", "  PROGRAM RUN ERROR ", "    LOOP LOGGED     ",
    "  SITE DATA CHANGED ", "    SERVICE DUE     ", "   NIGHT SENS ON    ", " EVAC PANEL ACTIVE  ",
    "MAN FIRE LINK FAULT ", " OP GROUP DISABLED  ", "CONT OPGRPS DISABLED", "   SITEFILE ERROR   ",
    "  DEVICE DISABLED   ", "   FBP COMMS FAULT  ", "  ALARMS RESOUNDED  ", "DEVICE INVISIBLE SW ",
    "OPGROUP 31 DISABLED ", "OPGROUP 32 DISABLED ",
};

}  // namespace

const char* EventText(int eventNumber) {
    constexpr int kCount = static_cast<int>(sizeof kEventTexts / sizeof kEventTexts[0]);
    return eventNumber >= 0 && eventNumber < kCount ? kEventTexts[eventNumber] : nullptr;
}

}  // namespace tamrik
