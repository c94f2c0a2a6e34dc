#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace tamrik {

// The modal "Progress..." window of a panel transfer: a 0..100 bar and a Cancel button. Cancel (or
// Escape) asks a read to stop; during a write or a firmware update it is disabled, since stopping
// half-way would leave the panel unusable. Only the transfer closes the window.
class ProgressDialog : public QDialog {
    Q_OBJECT
public:
    explicit ProgressDialog(QWidget* owner);

    int value() const;
    // Whether Cancel may stop this transfer; `whyNot` becomes the disabled button's tooltip.
    void setStoppable(bool stoppable, const QString& whyNot = {});
    // A line above the bar naming what the steps in the title are part of; none when empty.
    void setHeading(const QString& heading);
    QString heading() const;

signals:
    void stopRequested();

public slots:
    void setPercent(int percent);
    void setTitle(const QString& title);
    void finish();

protected:
    // Escape asks as Cancel does; neither it nor the window's close button closes the window.
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* heading_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    bool finishing_ = false;
    bool stoppable_ = false;
};

}  // namespace tamrik
