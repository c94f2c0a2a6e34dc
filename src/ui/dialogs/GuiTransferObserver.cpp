#include "ui/dialogs/GuiTransferObserver.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <atomic>
#include <thread>

#include "panel/TransferRunner.h"
#include "ui/dialogs/MessageBoxes.h"
#include "ui/dialogs/ProgressDialog.h"

namespace tamrik {

namespace {

BoxIcon boxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return BoxIcon::Information;
        case MessageIcon::Warning:
            return BoxIcon::Warning;
        case MessageIcon::Error:
            return BoxIcon::Error;
        case MessageIcon::Question:
            return BoxIcon::Question;
        case MessageIcon::None:
            break;
    }
    return BoxIcon::None;
}

QString fromView(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

GuiTransferObserver::GuiTransferObserver(QWidget* owner, ShowMessage showMessage, AskQuestion askQuestion)
    : owner_(owner), showMessage_(std::move(showMessage)), askQuestion_(std::move(askQuestion)) {
    if (!showMessage_) {
        showMessage_ = [](QWidget* messageOwner, const PanelMessage& message) {
            ShowMessageBox(messageOwner, fromView(message.title), fromView(message.text), boxIcon(message.icon));
        };
    }
    if (!askQuestion_) {
        askQuestion_ = [](QWidget* questionOwner, const QString& title, const QString& text) {
            // The transfers ask only before a risk to the panel (an older firmware).
            return ShowMessageBox(questionOwner, title, text, BoxIcon::Question, BoxButtons::YesNoDefaultNo);
        };
    }
}

GuiTransferObserver::~GuiTransferObserver() { delete dialog_; }

template <typename Function>
void GuiTransferObserver::onUiThreadAndWait(Function&& function) {
    if (QThread::currentThread() == thread()) {
        function();
    } else {
        QMetaObject::invokeMethod(this, std::forward<Function>(function), Qt::BlockingQueuedConnection);
    }
}

void GuiTransferObserver::run(TransferKind kind, const std::function<void()>& work, const QString& heading) {
    kind_ = kind;
    heading_ = heading;
    ProgressOpen();
    std::atomic<bool> finished = false;
    QEventLoop waitForWorker;
    std::thread worker([&] {
        RunStoppableWork(*this, kind, [&] {
            work();
            return true;
        });
        ProgressSet(-1);  // a worker always leaves the display closed
        finished = true;
        QMetaObject::invokeMethod(&waitForWorker, &QEventLoop::quit, Qt::QueuedConnection);
    });
    if (dialog_) dialog_->exec();
    // The dialog may close before the worker's last message box; keep serving it until the end.
    if (!finished) waitForWorker.exec();
    worker.join();
    delete dialog_;
}

void GuiTransferObserver::onProgressOpen() {
    delete dialog_;
    dialog_ = new ProgressDialog(owner_);
    dialog_->setHeading(heading_);
    dialog_->setStoppable(kind_ == TransferKind::Read,
                          QStringLiteral("A write to the panel cannot be stopped half-way: it would leave the panel "
                                         "unusable"));
    connect(dialog_, &ProgressDialog::stopRequested, this, [this] { RequestStop(); });
}

void GuiTransferObserver::onProgress(int percent) {
    QMetaObject::invokeMethod(
        this,
        [this, percent] {
            if (dialog_) dialog_->setPercent(percent);
        },
        Qt::QueuedConnection);
}

void GuiTransferObserver::onTitle(std::string_view title, ProgressStep step) {
    const QString text = QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
    QMetaObject::invokeMethod(
        this,
        [this, text, step] {
            if (dialog_) dialog_->beginStep(text, step.number, step.count);
        },
        Qt::QueuedConnection);
}

void GuiTransferObserver::onProgressClose() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (dialog_) dialog_->finish();
        },
        Qt::QueuedConnection);
}

void GuiTransferObserver::onMessage(const PanelMessage& message) {
    // The texts live in the worker's frame, which stays alive while it waits here.
    onUiThreadAndWait([this, &message] { showMessage_(dialog_ && dialog_->isVisible() ? dialog_ : owner_, message); });
}

bool GuiTransferObserver::onQuestion(std::string_view title, std::string_view text) {
    bool answer = false;
    const QString qtitle = QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
    const QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    onUiThreadAndWait([&] { answer = askQuestion_(owner_, qtitle, qtext); });
    return answer;
}

}  // namespace tamrik
