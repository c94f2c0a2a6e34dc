#pragma once

#include <QPointer>

#include "settings/SettingsStore.h"
#include "site/KeyFamily.h"
#include "ui/editors/SiteEditor.h"

namespace tamrik {

class LcdTextWindow;

// The texts the panel displays: device texts (column 1, one per address), zone texts (column 2,
// zones 1 to 32) and the banner lines (column 3). A double click opens the cell's text in the "Edit
// text" display window; the edited texts reach the store at writeBack.
class TextEditor : public SiteEditor {
    Q_OBJECT

public:
    TextEditor(SettingsStore& store, Grid* grid, QWidget* parent = nullptr);

    void writeBack() override;
    // The open display window, or null.
    LcdTextWindow* displayWindow() const;

protected:
    void gridEvent(Grid::Event event, int row, int column) override;

private:
    void fill();
    void setTextCell(int row, int column, const std::string& key);
    void openDisplay(int row, int column);
    void writeColumn(int column, const KeyFamily& family);

    SettingsStore& store_;
    Grid* grid_;
    QPointer<LcdTextWindow> displayWindow_;
    int editRow_ = 0;
    int editColumn_ = 0;
};

}  // namespace tamrik
