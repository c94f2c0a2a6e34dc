#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace tamrik {

// The modal "Progress..." window of a panel transfer: the step under way, a 0..100 bar and a Cancel
// button. Cancel (or
// Escape) asks a read to stop; during a write or a firmware update it is disabled, since stopping
// half-way would leave the panel unusable. Only the transfer closes the window.
class ProgressDialog : public QDialog {
    Q_OBJECT
public:
    explicit ProgressDialog(QWidget* owner);

    int value() const;
    QString stepText() const;
    // Whether Cancel may stop this transfer; `whyNot` becomes the disabled button's tooltip.
    void setStoppable(bool stoppable, const QString& whyNot = {});
    // A line above the bar naming what the steps in the title are part of; none when empty.
    void setHeading(const QString& heading);
    QString heading() const;

signals:
    void stopRequested();

public slots:
    void setPercent(int percent);
    // A new step begins: its title goes into the window's title and, with "(step 2 of 4)" when there
    // are several, into the label; the bar starts again from 0.
    void beginStep(const QString& title, int number = 0, int count = 0);
    void finish();

protected:
    // Escape asks as Cancel does; neither it nor the window's close button closes the window.
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* heading_;
    QLabel* step_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    bool finishing_ = false;
    bool stoppable_ = false;
};

}  // namespace tamrik
