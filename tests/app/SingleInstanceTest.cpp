#include <QDir>
#include <QWidget>
#include <QtTest>

#include "app/gui/SingleInstance.h"

using namespace tamrik;

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void secondStartRaisesTheFirstWindow() {
        const QString name = QStringLiteral("__Tamrik-test-%1").arg(QCoreApplication::applicationPid());
        QWidget window;
        window.setWindowTitle(QStringLiteral("first copy"));
        window.showMinimized();

        SingleInstance first(name);
        QVERIFY(!first.anotherIsRunning());
        QVERIFY(first.listen(&window));

        SingleInstance second(name);
        QVERIFY(second.anotherIsRunning());
        QVERIFY(second.activateRunningCopy());
        QTRY_VERIFY(!window.isMinimized());
        QVERIFY(window.isVisible());
    }

    // A copy that crashed leaves its socket behind with nobody listening: the next start takes it over.
    void aStaleSocketIsTakenOver() {
        const QString name = QStringLiteral("__Tamrik-stale-%1").arg(QCoreApplication::applicationPid());
        QFile stale(QDir::tempPath() + QLatin1Char('/') + name);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        QWidget window;
        SingleInstance next(name);
        QVERIFY(!next.anotherIsRunning());
        QVERIFY(next.listen(&window));
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
