#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

#include "panel/TransferObserver.h"
#include "ui/dialogs/ProgressDialog.h"

class QWidget;

namespace tamrik {

// Shows a transfer in the desktop program. The worker thread never touches a widget: bar, title and
// close requests are queued to the UI thread in the order they were made (none can be lost, the
// dialog exists before the worker starts); messages and questions run on the UI thread while the
// worker waits for them.
class GuiTransferObserver : public QObject, public TransferObserver {
    Q_OBJECT
public:
    using ShowMessage = std::function<void(QWidget* owner, const PanelMessage& message)>;
    using AskQuestion = std::function<bool(QWidget* owner, const QString& title, const QString& text)>;

    // Messages and questions go through ShowMessageBox unless other functions are given.
    explicit GuiTransferObserver(QWidget* owner, ShowMessage showMessage = {}, AskQuestion askQuestion = {});
    ~GuiTransferObserver() override;

    // Runs `work`, a transfer of `kind`, on a worker thread under the modal progress dialog, and
    // returns on the UI thread once the worker has finished (the dialog closed by the work itself, as
    // every transfer does at its end) and the thread was joined. Opens the dialog before the worker
    // starts. A read can be stopped from the dialog; `work` then returns early (wasStopped()).
    // `heading`, when given, stands above the bar for the whole transfer.
    void run(TransferKind kind, const std::function<void()>& work, const QString& heading = {});

    ProgressDialog* progressDialog() const { return dialog_; }

protected:
    void onProgressOpen() override;
    void onProgress(int percent) override;
    void onTitle(std::string_view title, ProgressStep step) override;
    void onProgressClose() override;
    void onMessage(const PanelMessage& message) override;
    bool onQuestion(std::string_view title, std::string_view text) override;

private:
    template <typename Function>
    void onUiThreadAndWait(Function&& function);

    QWidget* owner_;
    ShowMessage showMessage_;
    AskQuestion askQuestion_;
    QPointer<ProgressDialog> dialog_;
    TransferKind kind_ = TransferKind::Write;
    QString heading_;
};

}  // namespace tamrik
