#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QWidget;

namespace tamrik {

// One desktop copy per user: the first copy listens on a local socket; a later start asks it to show
// and raise its window instead of opening a second one.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString serverName = defaultServerName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    static QString defaultServerName();

    // True when another copy answers on the socket.
    bool anotherIsRunning() const;
    // Asks the running copy to bring its window to the front; true when it was reached.
    bool activateRunningCopy() const;
    // Starts answering later starts by showing, raising and activating `window`.
    bool listen(QWidget* window);

private:
    QString serverName_;
    QLocalServer* server_ = nullptr;
};

}  // namespace tamrik
