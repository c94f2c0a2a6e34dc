#include "ui/editors/SiteEditor.h"

#include <QVBoxLayout>

namespace tamrik {

QString EditorTitle(EditorView view) {
    switch (view) {
        case EditorView::Matrix:
            return QStringLiteral("Input / Output Matrix Editor");
        case EditorView::Text:
            return QStringLiteral("Text editor");
        case EditorView::Device:
            return QStringLiteral("Device editor");
        case EditorView::FireLog:
            return QStringLiteral("Fire event log");
        case EditorView::NonFireLog:
            return QStringLiteral("Non-fire event log");
        case EditorView::CombinedLog:
            return QStringLiteral("Fire / Non-fire event log");
        case EditorView::Coincidence:
            break;
    }
    return QStringLiteral("Set coincidence");
}

QString EditorOpenFailureText(EditorView view) {
    switch (view) {
        case EditorView::Matrix:
            return QStringLiteral("Can't open matrix editor");
        case EditorView::Text:
            return QStringLiteral("Can't open text editor");
        case EditorView::Device:
            return QStringLiteral("Can't open device editor");
        case EditorView::Coincidence:
            return QStringLiteral("Can't open coincidence editor");
        case EditorView::FireLog:
        case EditorView::NonFireLog:
        case EditorView::CombinedLog:
            break;
    }
    return QStringLiteral("Can't open event log");
}

SiteEditor::SiteEditor(EditorView view, Grid* grid, QWidget* parent) : QWidget(parent), view_(view), grid_(grid) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(grid_);
    setFocusProxy(grid_);
    connect(grid_, &Grid::notified, this, &SiteEditor::gridEvent);
}

// The grid outlives this destructor (it goes with the QWidget base), and may still report its loss of
// focus on the way: nothing of the editor may be reached from it by then.
SiteEditor::~SiteEditor() {
    disconnect(grid_, nullptr, this, nullptr);
    grid_->setAcceptEdit({});
}

void SiteEditor::gridEvent(Grid::Event, int, int) {}

void SiteEditor::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (focusGridOnShow_ && !shownOnce_) grid()->setFocus(Qt::OtherFocusReason);
    shownOnce_ = true;
}

}  // namespace tamrik
