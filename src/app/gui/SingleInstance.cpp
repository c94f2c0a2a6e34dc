#include "app/gui/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

#include "app/launch/DesktopLauncher.h"

namespace tamrik {
namespace {

constexpr int kConnectTimeoutMs = 1000;
const QByteArray kShowRequest = QByteArrayLiteral("show\n");

}  // namespace

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), serverName_(std::move(serverName)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultServerName() {
    // The command-line program looks for the same path before it touches the panel.
    return QString::fromStdString(DesktopSocketPath());
}

bool SingleInstance::anotherIsRunning() const {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    return socket.waitForConnected(kConnectTimeoutMs);
}

bool SingleInstance::activateRunningCopy() const {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
    socket.write(kShowRequest);
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen(QWidget* window) {
    delete server_;
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(serverName_)) {
        // A socket left behind by a copy that crashed: nobody answers on it, so take it over.
        QLocalServer::removeServer(serverName_);
        if (!server_->listen(serverName_)) return false;
    }
    connect(server_, &QLocalServer::newConnection, this, [this, window] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, window, [socket, window] {
                if (!socket->readAll().contains(kShowRequest)) return;
                window->showNormal();
                window->raise();
                window->activateWindow();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    return true;
}

}  // namespace tamrik
