#pragma once

#include <QApplication>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace tamrik::testing {

// Runs `drive` on the next modal dialog once its event loop is running, so that a test can work a
// dialog that its caller runs with exec(). A dialog that never appears fails the test after a while
// instead of hanging it.
inline void WhenModal(std::function<void(QWidget*)> drive, int attempts = 300) {
    QTimer::singleShot(10, [drive = std::move(drive), attempts]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            drive(modal);
        } else if (attempts > 0) {
            WhenModal(std::move(drive), attempts - 1);
        } else {
            QFAIL("no modal dialog appeared");
        }
    });
}

}  // namespace tamrik::testing
