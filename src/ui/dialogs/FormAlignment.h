#pragma once

#include <QList>

class QFormLayout;
class QLayout;

namespace tamrik {

// Gives every label of the given forms the width of the widest, so that the fields of groups stacked
// in one column start at the same place.
void AlignFormLabels(const QList<QFormLayout*>& forms);

// The forms of the group boxes laid out in `column`.
QList<QFormLayout*> FormsInColumn(QLayout* column);

}  // namespace tamrik
