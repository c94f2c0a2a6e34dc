#include "panel/TransferObserver.h"

#include "panel/PanelMessages.h"

namespace tamrik {

// The state is locked only while it changes; hooks run unlocked, so a front end may block in a hook
// (a modal message box) while another thread asks whether the display is open. Requests come from
// one worker at a time, so the hooks still see them in order.

void TransferObserver::ProgressOpen() {
    {
        std::lock_guard lock(mutex_);
        open_ = true;
        title_ = panelmessages::kProgressTitle;
    }
    onProgressOpen();
}

void TransferObserver::ProgressSet(int percent) {
    bool closing = false;
    {
        std::lock_guard lock(mutex_);
        if (!open_ || percent > 100) return;
        if (percent < 0) {
            open_ = false;
            closing = true;
        }
    }
    if (closing) {
        onProgressClose();
    } else {
        onProgress(percent);
    }
}

void TransferObserver::ProgressTitle(std::string_view title, ProgressStep step) {
    {
        std::lock_guard lock(mutex_);
        if (!open_) return;
        title_ = title;
    }
    onTitle(title, step);
}

void TransferObserver::Message(const PanelMessage& message) {
    if (message.icon == MessageIcon::Warning) warned_ = true;
    onMessage(message);
}

bool TransferObserver::Question(std::string_view title, std::string_view text) { return onQuestion(title, text); }

bool TransferObserver::progressIsOpen() const {
    std::lock_guard lock(mutex_);
    return open_;
}

std::string TransferObserver::progressTitle() const {
    std::lock_guard lock(mutex_);
    return title_;
}

void TransferObserver::TransferBegin(TransferKind kind) {
    kind_ = kind;
    stopRequested_ = false;
    warned_ = false;
    ++transfersBegun_;
    running_ = true;
}

void TransferObserver::TransferEnd() { running_ = false; }

void TransferObserver::RequestStop() {
    if (running_.load()) stopRequested_ = true;
}

}  // namespace tamrik
