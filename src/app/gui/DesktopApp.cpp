#include "app/gui/DesktopApp.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>

#include "app/gui/SingleInstance.h"

namespace tamrik {

int RunDesktop(int argc, char** argv, SettingsStore& mainStore, const DesktopOptions& options) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tamrik"));
    // No display name: Qt would append it to every window title, and each window names itself.
    QApplication::setDesktopFileName(QStringLiteral("tamrik"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tamrik")));

    SingleInstance instance;
    if (instance.activateRunningCopy()) return 0;

    MainWindow window(mainStore, options);
    instance.listen(&window);
    // The whole free screen, also where no window manager maximises windows; the caption bar never
    // above it.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window.move(screen->availableGeometry().topLeft());
        window.resize(screen->availableGeometry().size());
        window.fitIntoScreen();
    }
    window.showMaximized();
    return QApplication::exec();
}

}  // namespace tamrik
