#pragma once

#include <atomic>
#include <exception>
#include <mutex>
#include <string>
#include <string_view>

namespace tamrik {

enum class MessageIcon { None, Information, Warning, Error, Question };

// What a running transfer does to the panel; a front end lets the user stop a read at once, but a
// write or a firmware update only when he insists (stopping it leaves the panel unusable).
enum class TransferKind { Read, Write, Firmware };

// Thrown by the panel session at the next report once the user asked a transfer to stop; the
// transfer runner catches it, and the transfer counts as failed.
struct TransferStopped : std::exception {
    const char* what() const noexcept override { return "the transfer was stopped"; }
};

// The step of a transfer that a progress title begins: step `number` of `count`; {0, 0} when the
// transfer is not told in steps.
struct ProgressStep {
    int number = 0;
    int count = 0;
};

// One message box's worth: the front end decides how to show it.
struct PanelMessage {
    std::string_view title;
    std::string_view text;
    MessageIcon icon = MessageIcon::None;
    bool foreground = true;  // bring the program to the front (a GUI concern; consoles ignore it)
};

// What a transfer tells its user: a progress display (bar, title, close) and message boxes, plus
// yes/no questions asked before a transfer. Workers call the non-virtual operations from their
// thread; front ends implement the protected hooks.
//
// The progress display is opened by the thread that starts the worker, before the worker exists,
// so a title or close request can never arrive before the display does and be lost. Once closed,
// further bar and title requests are ignored until the next open (a failed step closes the display
// while the sequence may still go on).
class TransferObserver {
public:
    virtual ~TransferObserver() = default;

    void ProgressOpen();
    // 0..100 moves the bar, a negative value closes the display, anything above 100 does nothing.
    void ProgressSet(int percent);
    void ProgressTitle(std::string_view title, ProgressStep step = {});
    void Message(const PanelMessage& message);
    bool Question(std::string_view title, std::string_view text);

    bool progressIsOpen() const;
    std::string progressTitle() const;

    // A transfer runs between these two (the runner calls them); a stop asked for before or after
    // has no effect.
    void TransferBegin(TransferKind kind);
    void TransferEnd();
    // Asks the running transfer to stop at its next report. Safe to call from any thread and from a
    // signal handler.
    void RequestStop();
    bool transferRunning() const { return running_.load(); }
    TransferKind transferKind() const { return kind_.load(); }
    // Counts the transfers begun, so that a front end can tell one transfer from the next.
    unsigned transferNumber() const { return transfersBegun_.load(); }
    // A stop was asked for and the transfer has not ended yet: the session stops at this.
    bool stopPending() const { return running_.load() && stopRequested_.load(); }
    // The last transfer ended because the user stopped it.
    bool wasStopped() const { return stopRequested_.load(); }
    // The last transfer sent a warning message: it did its work but its result is not to be trusted.
    bool transferWarned() const { return warned_.load(); }

protected:
    virtual void onProgressOpen() {}
    virtual void onProgress(int /*percent*/) {}
    virtual void onTitle(std::string_view /*title*/, ProgressStep /*step*/) {}
    virtual void onProgressClose() {}
    virtual void onMessage(const PanelMessage& message) = 0;
    virtual bool onQuestion(std::string_view title, std::string_view text) = 0;

private:
    mutable std::mutex mutex_;
    bool open_ = false;
    std::string title_;
    std::atomic<bool> running_{false};
    std::atomic<bool> stopRequested_{false};
    std::atomic<bool> warned_{false};
    std::atomic<TransferKind> kind_{TransferKind::Read};
    std::atomic<unsigned> transfersBegun_{0};
    static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<TransferKind>::is_always_lock_free);
};

// Shows nothing and answers every question with `answer`.
class SilentObserver final : public TransferObserver {
public:
    explicit SilentObserver(bool answer = false) : answer_(answer) {}

protected:
    void onMessage(const PanelMessage&) override {}
    bool onQuestion(std::string_view, std::string_view) override { return answer_; }

private:
    bool answer_;
};

}  // namespace tamrik
