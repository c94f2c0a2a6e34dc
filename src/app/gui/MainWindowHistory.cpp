// Undo and redo: every change to the site becomes a step of the history, noted after each command
// and after each mouse or key action in an open editor.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include "app/gui/MainWindow.h"
#include "ui/editors/SiteEditor.h"
#include "ui/grid/Grid.h"

namespace tamrik {

QString StepName(int command) {
    switch (command) {
        case kCommandNew:
            return QStringLiteral("New site");
        case kCommandLoad:
            return QStringLiteral("Load site");
        case kCommandImportText:
            return QStringLiteral("Import text");
        case kCommandGetFromPanel:
            return QStringLiteral("Get settings");
        case kCommandRestoreBackup:
            return QStringLiteral("Restore backup");
        default:
            return {};
    }
}

// Editors change the site on clicks, drags and keys; the change is noted once the action is over.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::MouseButtonRelease || type == QEvent::KeyRelease) && !changesQueued_) {
        changesQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            changesQueued_ = false;
            // A dialog's changes are noted when its command ends.
            if (!QApplication::activeModalWidget()) noteChanges();
        });
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::noteChanges(const QString& stepName) {
    if (transferRunning_) return;
    // Typed cells reach the site when the editor writes back; an edit still being typed waits.
    if (SiteEditor* open = editor()) {
        if (open->grid() && open->grid()->isEditing()) return;
        open->writeBack();
    }
    if (history_.record(store_, stepName.toStdString())) {
        updateTitle();
        updateUndoActions();
    }
}

void MainWindow::updateUndoActions() {
    const auto label = [](const QString& verb, const std::string& step) {
        return step.empty() ? verb : verb + QLatin1Char(' ') + QString::fromLatin1(step.data(), qsizetype(step.size()));
    };
    QAction* undo = actions_.value(kCommandUndo);
    QAction* redo = actions_.value(kCommandRedo);
    undo->setEnabled(history_.canUndo());
    undo->setText(label(QStringLiteral("&Undo"), history_.undoName()));
    redo->setEnabled(history_.canRedo());
    redo->setText(label(QStringLiteral("&Redo"), history_.redoName()));
}

// The open editor shows the site as it was: it is opened again on the site as it now is.
void MainWindow::commandUndoRedo(bool undo) {
    noteChanges();
    if (!(undo ? history_.undo(store_) : history_.redo(store_))) return;
    if (editor()) {
        const int command = editorCommand_;
        destroyEditorWithoutWriteBack();
        commandOpenEditor(command);
    }
    siteCheckQuiet();
    noteChanges();  // takes in the loop currents the check works out
    updateTitle();
    updateUndoActions();
}

}  // namespace tamrik
