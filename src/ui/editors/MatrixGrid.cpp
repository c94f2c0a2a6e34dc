#include "ui/editors/MatrixGrid.h"

namespace tamrik {

QColor MatrixLetterColour(std::string_view letter) {
    if (letter == "O") return QColor(Qt::white);
    if (letter == "P") return QColor(0, 255, 0);
    if (letter == "W") return QColor(255, 255, 0);
    if (letter == "C") return QColor(255, 0, 0);
    return QColor(0, 0, 255);
}

QColor AlarmTypeColour(std::string_view value) { return value == "0" ? QColor(255, 200, 200) : QColor(200, 200, 255); }

}  // namespace tamrik
