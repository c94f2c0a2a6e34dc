#pragma once

#include <QDialog>

class QProgressBar;
class QPushButton;

namespace tamrik {

// The modal "Progress..." window of a panel transfer: a 0..100 bar and a Cancel button that does
// nothing (a transfer to the panel cannot be stopped half-way). Only the transfer closes it.
class ProgressDialog : public QDialog {
    Q_OBJECT
public:
    explicit ProgressDialog(QWidget* owner);

    int value() const;

public slots:
    void setPercent(int percent);
    void setTitle(const QString& title);
    void finish();

protected:
    void reject() override {}  // Escape and the window's close button do not end a transfer
    void closeEvent(QCloseEvent* event) override;

private:
    QProgressBar* bar_;
    QPushButton* cancel_;
    bool finishing_ = false;
};

}  // namespace tamrik
