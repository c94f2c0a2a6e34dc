#pragma once

#include <cstdint>

#include "settings/SettingsStore.h"
#include "ui/editors/SiteEditor.h"

namespace tamrik {

// Picks how many coincidence groups there are (0 to 12): each column lists the input groups that
// number of groups uses, and a click on a column chooses it. The choice is shown in red.
class CoincidenceEditor : public SiteEditor {
    Q_OBJECT

public:
    CoincidenceEditor(SettingsStore& store, Grid* grid, QWidget* parent = nullptr);

    QString cellExplanation(int row, int column) const override;

protected:
    void gridEvent(Grid::Event event, int row, int column) override;

private:
    void fill();
    void highlight(int groups, const QColor& colour, bool wholeColumn);

    SettingsStore& store_;
    Grid* grid_;
};

}  // namespace tamrik
