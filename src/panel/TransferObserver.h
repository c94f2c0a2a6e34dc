#pragma once

#include <mutex>
#include <string>
#include <string_view>

namespace tamrik {

enum class MessageIcon { None, Information, Warning, Error, Question };

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
    void ProgressTitle(std::string_view title);
    void Message(const PanelMessage& message);
    bool Question(std::string_view title, std::string_view text);

    bool progressIsOpen() const;
    std::string progressTitle() const;

protected:
    virtual void onProgressOpen() {}
    virtual void onProgress(int /*percent*/) {}
    virtual void onTitle(std::string_view /*title*/) {}
    virtual void onProgressClose() {}
    virtual void onMessage(const PanelMessage& message) = 0;
    virtual bool onQuestion(std::string_view title, std::string_view text) = 0;

private:
    mutable std::mutex mutex_;
    bool open_ = false;
    std::string title_;
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
