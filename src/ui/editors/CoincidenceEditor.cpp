#include "ui/editors/CoincidenceEditor.h"

#include "ui/grid/Grid.h"

namespace tamrik {
namespace {

constexpr const char* kGroupsKey = "CoincidenceInputGroups";
constexpr int kMaxGroups = 12;
constexpr int kOffColumn = kMaxGroups + 1;  // column c is headed 13 - c, the last one "Off"
constexpr int kLastRow = kMaxGroups + 1;
// Coincidence group k (from 1) uses input group 29 - k.
constexpr int kFirstCoincidenceInput = 28;

int columnOfGroups(int groups) { return kOffColumn - groups; }

}  // namespace

CoincidenceEditor::CoincidenceEditor(SettingsStore& store, Grid* grid, QWidget* parent)
    : SiteEditor(EditorView::Coincidence, grid, parent), store_(store), grid_(grid) {
    setObjectName(QStringLiteral("coincidenceEditor"));
    grid_->setSize(1, kOffColumn);
    grid_->setHeaderHeight(21);
    fill();
    setFocusGridOnShow(true);
}

void CoincidenceEditor::fill() {
    grid_->setText(0, 0, "Number of groups");
    for (int column = 1; column < kOffColumn; ++column) grid_->setText(0, column, std::to_string(kOffColumn - column));
    grid_->setText(0, kOffColumn, "Off");
    grid_->setText(1, 0, "Device input group");
    for (int row = 2; row <= kLastRow; ++row) {
        grid_->setText(row, 0, std::to_string(row - 1));
        const int k = row - 2;
        // With one group every device input group goes to input group 28.
        grid_->setText(row, columnOfGroups(1), std::to_string(kFirstCoincidenceInput));
        for (int column = 1; column <= kMaxGroups - k; ++column) {
            grid_->setText(row, column, std::to_string(kFirstCoincidenceInput - k));
        }
    }
    highlight(store_.number(kGroupsKey), QColor(255, 0, 0), false);
}

// The chosen column is red from the top down to the last group it uses (all of it for one group).
void CoincidenceEditor::highlight(int groups, const QColor& colour, bool wholeColumn) {
    const int column = columnOfGroups(groups);
    if (column < 1 || column > kOffColumn) return;
    const int lastRow = wholeColumn || groups == 1 ? kLastRow : groups + 1;
    for (int row = 1; row <= lastRow; ++row) grid_->setColour(row, column, colour);
    grid_->viewport()->update();
}

QString CoincidenceEditor::cellExplanation(int row, int column) const {
    if (row < 0 || column < 1 || column > kOffColumn) return {};
    const int groups = kOffColumn - column;
    const bool chosen = store_.number(kGroupsKey) == groups;
    QString text;
    if (row >= 2) {
        const std::string input = grid_->cell(row, column).text;
        if (input.empty()) return {};
        text = groups == 1 ? QStringLiteral("With 1 coincidence group, every device input group goes to input group %1")
                                 .arg(QString::fromStdString(input))
                           : QStringLiteral("With %1 coincidence groups, coincidence group %2 uses input group %3")
                                 .arg(groups)
                                 .arg(row - 1)
                                 .arg(QString::fromStdString(input));
    } else if (groups == 0) {
        text = QStringLiteral("Coincidence off");
    } else {
        text = QStringLiteral("%1 coincidence group%2: the column lists the input group each one uses")
                   .arg(groups)
                   .arg(groups == 1 ? QString() : QStringLiteral("s"));
    }
    return text + (chosen ? QStringLiteral(" (chosen)") : QStringLiteral("; a click chooses it"));
}

void CoincidenceEditor::gridEvent(Grid::Event event, int, int column) {
    if (event != Grid::Event::Click) return;
    if (column < 1 || column > kOffColumn) return;
    highlight(store_.number(kGroupsKey), QColor(Qt::white), true);
    const int groups = kOffColumn - column;
    store_.put(kGroupsKey, std::to_string(groups));
    highlight(groups, QColor(255, 0, 0), false);
}

}  // namespace tamrik
