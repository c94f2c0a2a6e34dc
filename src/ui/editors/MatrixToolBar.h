#pragma once

#include <QWidget>

#include "settings/SettingsStore.h"

class QLineEdit;
class QToolButton;

namespace tamrik {

// The bar under the matrix editor: "Matrix OFF" and "Matrix CONT" set the whole matrix at once, and
// an up-down control picks the conventional alarm output group (1 to 32).
class MatrixToolBar : public QWidget {
    Q_OBJECT

public:
    explicit MatrixToolBar(SettingsStore& store, QWidget* parent = nullptr);

    // One step of the up-down control: +1 up, -1 down; the group stays within 1 to 32.
    void stepAlarmGroup(int direction);

signals:
    // The matrix letters were changed in the store; the editor shows them again.
    void matrixChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    SettingsStore& store_;
    QLineEdit* groupBox_ = nullptr;
};

}  // namespace tamrik
