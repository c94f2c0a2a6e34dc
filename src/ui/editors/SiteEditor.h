#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <string>
#include <vector>

#include "ui/grid/Grid.h"

namespace tamrik {

// The editors and views the main window can show, one at a time.
enum class EditorView { Matrix, Text, Device, FireLog, NonFireLog, CombinedLog, Coincidence };

// The grid's title band, e.g. "Device editor".
QString EditorTitle(EditorView view);
// What the main window reports (title "Err!") when the view cannot be opened.
QString EditorOpenFailureText(EditorView view);

// An editor or view: a widget holding one grid, which fills it. It reads and writes the site's store
// directly and handles its own grid's notifications; clicks take effect at once, edited cells of the
// text and device editors reach the store through writeBack().
class SiteEditor : public QWidget {
    Q_OBJECT

public:
    ~SiteEditor() override;

    EditorView view() const { return view_; }
    // Ends an edit in progress and copies the typed cells into the store (text and device editors).
    virtual void writeBack() {}
    // A bar the main window lays out below the editor (the matrix editor's), or null. The main window
    // takes it over; it is a child of the editor until then.
    virtual QWidget* toolBar() { return nullptr; }
    virtual Grid* grid() { return grid_; }

    // What a data cell means, for its tooltip and the status bar while the pointer is over it; empty
    // when there is nothing to say.
    virtual QString cellExplanation(int /*row*/, int /*column*/) const { return {}; }
    // The texts a clicked cell goes through, the one it shows first, each further one a click on;
    // empty for cells that clicks do not step. Offered by the cell's context menu.
    virtual QStringList stepChoices(int /*row*/, int /*column*/) const { return {}; }
    // Sets a stepped cell to its `index`-th choice: `index` clicks, so that the site changes exactly
    // as clicking would change it.
    void chooseStep(int row, int column, int index);

protected:
    // Takes the grid over as a child that fills the editor; what it reports reaches gridEvent.
    SiteEditor(EditorView view, Grid* grid, QWidget* parent);
    virtual void gridEvent(Grid::Event event, int row, int column);
    // One click on a cell whose stepChoices() are not empty.
    virtual void stepCell(int /*row*/, int /*column*/) {}
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The grid takes the keyboard focus the first time the editor is shown.
    void setFocusGridOnShow(bool on) { focusGridOnShow_ = on; }
    void showEvent(QShowEvent* event) override;

private:
    void showStepMenu(int row, int column, const QStringList& choices, const QPoint& globalPosition);
    void explainCellUnder(const QPoint& viewportPosition);

    QString explained_;
    EditorView view_;
    Grid* grid_;
    bool focusGridOnShow_ = false;
    bool shownOnce_ = false;
};

}  // namespace tamrik
