#include "app/gui/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>

#include "app/gui/SiteBackground.h"
#include "app/gui/UserPrompts.h"
#include "checker/SiteCheck.h"
#include "panel/PanelLink.h"
#include "ui/editors/EditorFactory.h"
#include "ui/editors/SiteEditor.h"

namespace tamrik {

MainWindow::MainWindow(SettingsStore& store, DesktopOptions options, QWidget* parent)
    : QMainWindow(parent), store_(store), options_(std::move(options)) {
    setObjectName(QStringLiteral("mainWindow"));
    background_ = new SiteBackground(this);
    setCentralWidget(background_);
    buildMenus();
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->setSizeGripEnabled(true);
    statusBar()->showMessage(QStringLiteral("Ready."));
    history_.reset(store_);
    updateUndoActions();
    qApp->installEventFilter(this);
    updateTitle();
    setAcceptDrops(true);
    if (!options_.sitePath.isEmpty()) {
        // Opened on a site file: Save writes it back there, and it counts as a recent site.
        sitePath_ = options_.sitePath;
        rememberSite(sitePath_);
    }
}

MainWindow::~MainWindow() = default;

namespace {

// The first site file among the dropped things, or an empty text.
QString droppedSiteFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && url.toLocalFile().endsWith(QStringLiteral(".psf"), Qt::CaseInsensitive)) {
            return url.toLocalFile();
        }
    }
    return {};
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedSiteFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = droppedSiteFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    // The drag's source waits for the drop to end: the questions and the load come after it.
    QMetaObject::invokeMethod(
        this, [this, path] { openSiteFile(path); }, Qt::QueuedConnection);
}

void MainWindow::fitIntoScreen() {
    const QScreen* shownOn = screen();
    if (!shownOn) return;
    const QRect available = shownOn->availableGeometry();
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    const QMargins margins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                           frame.bottom() - client.bottom());
    const QSize size = client.size().boundedTo(available.size().shrunkBy(margins));
    QRect placed(frame.topLeft(), size.grownBy(margins));
    if (placed.right() > available.right()) placed.moveRight(available.right());
    if (placed.bottom() > available.bottom()) placed.moveBottom(available.bottom());
    if (placed.left() < available.left()) placed.moveLeft(available.left());
    if (placed.top() < available.top()) placed.moveTop(available.top());
    resize(size);
    move(placed.topLeft());  // places the frame, where resize() sizes the inside
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Restored from maximised: the frame is known by now, and the size remembered may not fit it.
    if (event->type() == QEvent::WindowStateChange &&
        !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))) {
        QMetaObject::invokeMethod(this, &MainWindow::fitIntoScreen, Qt::QueuedConnection);
    }
}

void MainWindow::updateTitle() {
    const auto siteName = store_.get("SiteName");
    QString caption =
        (siteName && !siteName->empty())
            ? QStringLiteral("%1 - [%2]")
                  .arg(kProgramTitle,
                       QString::fromLatin1(siteName->data(), static_cast<qsizetype>(siteName->size())).left(90))
            : QStringLiteral("%1 - No site name!").arg(kProgramTitle);
    if (options_.simulatedPanel()) caption += QStringLiteral(" [simulated panel]");
    // The mark of a site that differs from what was last saved, loaded or read.
    if (store_.siteChangedSinceSaved()) caption += QStringLiteral(" *");
    setWindowTitle(caption);
}

void MainWindow::showStatusReady() { statusBar()->showMessage(QStringLiteral("Ready")); }

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    showStatusReady();
}

void MainWindow::resetErrorFlags() {
    siteErrors_ = 0;
    lastShownErrors_ = 0;
    background_->setShowErrorBanner(false);
}

void MainWindow::siteCheckQuiet() {
    siteErrors_ = static_cast<int>(SiteCheck(store_, false).faultCount);
    refreshErrorBanner();
}

void MainWindow::refreshErrorBanner() {
    if (siteErrors_ != lastShownErrors_) {
        lastShownErrors_ = siteErrors_;
        background_->setShowErrorBanner(siteErrors_ != 0);
    }
}

SiteEditor* MainWindow::editor() const { return qobject_cast<SiteEditor*>(background_->editor()); }

void MainWindow::editorClose(bool writeBack) {
    if (SiteEditor* open = editor(); open && writeBack) open->writeBack();
    destroyEditorWithoutWriteBack();
    siteCheckQuiet();
}

void MainWindow::commandOpenEditor(int command) {
    struct EditorCommand {
        int command;
        EditorView view;
        EditorKind kind;
    };
    static constexpr EditorCommand kEditors[] = {
        {kCommandMatrixEditor, EditorView::Matrix, EditorKind::Matrix},
        {kCommandTextEditor, EditorView::Text, EditorKind::Text},
        {kCommandDeviceEditor, EditorView::Device, EditorKind::Device},
        {kCommandFireLog, EditorView::FireLog, EditorKind::EventLog},
        {kCommandNonFireLog, EditorView::NonFireLog, EditorKind::EventLog},
        {kCommandCombinedLog, EditorView::CombinedLog, EditorKind::EventLog},
        {kCommandCoincidence, EditorView::Coincidence, EditorKind::Coincidence},
    };
    for (const auto& item : kEditors) {
        if (item.command != command) continue;
        editorClose();
        std::unique_ptr<SiteEditor> created = CreateSiteEditor(item.view, store_, background_);
        if (!created) {
            UserPrompts::show(this, QStringLiteral("Err!"), EditorOpenFailureText(item.view), PromptIcon::None);
            return;
        }
        editorKind_ = item.kind;
        editorCommand_ = command;
        SiteEditor* opened = created.release();
        background_->setEditor(opened, opened->toolBar());
        opened->setFocus();
    }
}

void MainWindow::destroyEditorWithoutWriteBack() {
    QWidget* editor = background_->editor();
    QWidget* toolBar = background_->toolBar();
    background_->setEditor(nullptr, nullptr);
    delete editor;
    delete toolBar;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    editorClose();
    if (store_.changedSinceSaved() &&
        !UserPrompts::askYesNo(this, QStringLiteral("Are you sure?"),
                               QStringLiteral("Settings have changed since they were loaded.\r\n"
                                              "Are you sure you want to exit the application?"))) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace tamrik
