#include "ui/editors/EditorFactory.h"

#include "ui/editors/CoincidenceEditor.h"
#include "ui/editors/DeviceEditor.h"
#include "ui/editors/EventLogView.h"
#include "ui/editors/MatrixEditor.h"
#include "ui/editors/TextEditor.h"
#include "ui/grid/Grid.h"

namespace tamrik {

std::unique_ptr<SiteEditor> CreateSiteEditor(EditorView view, SettingsStore& store, QWidget* parent) {
    auto* grid = new Grid(EditorTitle(view));
    switch (view) {
        case EditorView::Matrix:
            return std::make_unique<MatrixEditor>(store, grid, parent);
        case EditorView::Text:
            return std::make_unique<TextEditor>(store, grid, parent);
        case EditorView::Device:
            return std::make_unique<DeviceEditor>(store, grid, parent);
        case EditorView::Coincidence:
            return std::make_unique<CoincidenceEditor>(store, grid, parent);
        case EditorView::FireLog:
        case EditorView::NonFireLog:
        case EditorView::CombinedLog:
            break;
    }
    return std::make_unique<EventLogView>(view, store, grid, parent);
}

}  // namespace tamrik
