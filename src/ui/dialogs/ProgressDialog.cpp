#include "ui/dialogs/ProgressDialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace tamrik {

ProgressDialog::ProgressDialog(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("progressDialog"));
    setWindowTitle(QStringLiteral("Progress..."));
    setModal(true);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("progressHeading"));
    heading_->hide();
    step_ = new QLabel(windowTitle(), this);
    step_->setObjectName(QStringLiteral("progressStep"));
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("progressBar"));
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setMinimumWidth(320);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("progressCancel"));
    cancel_->setAutoDefault(false);
    cancel_->setEnabled(false);
    connect(cancel_, &QPushButton::clicked, this, &ProgressDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(step_);
    layout->addWidget(bar_);
    layout->addWidget(cancel_, 0, Qt::AlignHCenter);
}

int ProgressDialog::value() const { return bar_->value(); }

QString ProgressDialog::stepText() const { return step_->text(); }

void ProgressDialog::setStoppable(bool stoppable, const QString& whyNot) {
    stoppable_ = stoppable;
    cancel_->setEnabled(stoppable);
    cancel_->setToolTip(stoppable ? QString() : whyNot);
}

void ProgressDialog::setHeading(const QString& heading) {
    heading_->setText(heading);
    heading_->setVisible(!heading.isEmpty());
}

QString ProgressDialog::heading() const { return heading_->text(); }

void ProgressDialog::reject() {
    if (!stoppable_) return;
    stoppable_ = false;  // once is enough; the transfer stops at its next report
    cancel_->setEnabled(false);
    cancel_->setText(QStringLiteral("Stopping..."));
    emit stopRequested();
}

void ProgressDialog::setPercent(int percent) {
    if (percent >= 0 && percent <= 100) bar_->setValue(percent);
}

void ProgressDialog::beginStep(const QString& title, int number, int count) {
    setWindowTitle(title);
    step_->setText(count > 1 ? QStringLiteral("%1 (step %2 of %3)").arg(title).arg(number).arg(count) : title);
    bar_->setValue(0);
}

void ProgressDialog::finish() {
    finishing_ = true;
    done(QDialog::Accepted);
}

void ProgressDialog::closeEvent(QCloseEvent* event) {
    if (finishing_) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace tamrik
