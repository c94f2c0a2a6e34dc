#include "ui/editors/SiteEditor.h"

#include <QActionGroup>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QStatusTipEvent>
#include <QToolTip>
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
    grid_->viewport()->installEventFilter(this);
}

void SiteEditor::chooseStep(int row, int column, int index) {
    if (index <= 0 || index >= stepChoices(row, column).size()) return;
    for (int click = 0; click < index; ++click) stepCell(row, column);
}

bool SiteEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched != grid_->viewport()) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::ContextMenu: {
            const auto* menuEvent = static_cast<QContextMenuEvent*>(event);
            const int row = grid_->rowAt(menuEvent->pos().y());
            const int column = grid_->columnAt(menuEvent->pos().x());
            const QStringList choices = stepChoices(row, column);
            if (choices.size() < 2) break;
            showStepMenu(row, column, choices, menuEvent->globalPos());
            return true;
        }
        case QEvent::ToolTip: {
            const auto* help = static_cast<QHelpEvent*>(event);
            const QString text = cellExplanation(grid_->rowAt(help->pos().y()), grid_->columnAt(help->pos().x()));
            if (text.isEmpty()) {
                QToolTip::hideText();
            } else {
                QToolTip::showText(help->globalPos(), text, grid_->viewport());
            }
            return true;
        }
        case QEvent::MouseMove:
            explainCellUnder(static_cast<QMouseEvent*>(event)->position().toPoint());
            break;
        case QEvent::Leave:
            explainCellUnder(QPoint(-1, -1));
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

// The status bar says what the cell under the pointer means, and is cleared when it leaves.
void SiteEditor::explainCellUnder(const QPoint& viewportPosition) {
    const bool inside = grid_->viewport()->rect().contains(viewportPosition);
    const QString text =
        inside ? cellExplanation(grid_->rowAt(viewportPosition.y()), grid_->columnAt(viewportPosition.x())) : QString();
    if (text == explained_) return;
    explained_ = text;
    QStatusTipEvent tip(text);
    QApplication::sendEvent(this, &tip);
}

void SiteEditor::showStepMenu(int row, int column, const QStringList& choices, const QPoint& globalPosition) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("stepMenu"));
    auto* group = new QActionGroup(&menu);
    for (int index = 0; index < choices.size(); ++index) {
        QAction* choice = menu.addAction(choices[index]);
        choice->setCheckable(true);
        choice->setChecked(index == 0);
        choice->setData(index);
        group->addAction(choice);
    }
    // A choice from the list is that many clicks; the list need not be worked out again.
    if (const QAction* chosen = menu.exec(globalPosition)) {
        for (int click = chosen->data().toInt(); click > 0; --click) stepCell(row, column);
    }
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
