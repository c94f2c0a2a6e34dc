#pragma once

class QLineEdit;
class QWidget;

namespace tamrik {

// Chains the tab order of `window`'s fields in the order its layouts show them: boxes from first to
// last, grids and forms row by row, a group box's contents where the group stands, and a button
// box's buttons from left to right. Widgets that take no tab stop are left out of the chain. The
// first of the chain takes the focus, so typing starts there when the window opens.
void OrderTabsAsShown(QWidget* window);

// A field that only shows a value: read-only, drawn on the window's background instead of an edit
// field's, and left out of the tab order (a click still selects its text for copying).
void MakeShownOnly(QLineEdit* field);

}  // namespace tamrik
