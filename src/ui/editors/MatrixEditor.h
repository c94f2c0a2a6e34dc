#pragma once

#include <QPointer>

#include "settings/SettingsStore.h"
#include "ui/editors/SiteEditor.h"

namespace tamrik {

class MatrixToolBar;

// The input / output matrix: for each input group (rows) and output group (columns) one letter, O,
// P, W or C, changed by clicking; above it the two output delays and the alarm type of each output
// group; the header enables and disables output groups. Every click is stored at once.
class MatrixEditor : public SiteEditor {
    Q_OBJECT

public:
    MatrixEditor(SettingsStore& store, Grid* grid, QWidget* parent = nullptr);

    QWidget* toolBar() override;
    // Shows every matrix letter again from the store.
    void refreshMatrix();

    QString cellExplanation(int row, int column) const override;
    QStringList stepChoices(int row, int column) const override;

protected:
    void gridEvent(Grid::Event event, int row, int column) override;
    void stepCell(int row, int column) override;

private:
    void fill();
    void setHeader(int outputGroup, bool disabled);
    void click(int row, int outputGroup);
    void toggleOutputGroup(int outputGroup);
    void editDelay(int row, int outputGroup);
    void toggleAlarmType(int outputGroup);
    void stepLetter(int row, int outputGroup);

    SettingsStore& store_;
    Grid* grid_;
    QPointer<MatrixToolBar> toolBar_;
};

}  // namespace tamrik
