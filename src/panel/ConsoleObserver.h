#pragma once

#include <iosfwd>
#include <string>

#include "panel/TransferObserver.h"

namespace tamrik {

// Transfers on a console. On a terminal the progress is one line, redrawn in place
// ("Reading site data... [#######.............]  35%"); otherwise plain lines, one when the title
// changes and one per 10 % step. Messages go to the error stream as "Title: text" on a line of their
// own; questions are printed the same way and answered by the policy given at construction.
class ConsoleObserver final : public TransferObserver {
public:
    enum class Answer { Yes, No };

    ConsoleObserver(std::ostream& out, std::ostream& err, bool outIsTerminal, Answer questions);

protected:
    void onProgressOpen() override;
    void onProgress(int percent) override;
    // The console shows the title alone, as it always has.
    void onTitle(std::string_view title, ProgressStep step) override;
    void onProgressClose() override;
    void onMessage(const PanelMessage& message) override;
    bool onQuestion(std::string_view title, std::string_view text) override;

private:
    void draw();
    void endLine();
    void printLine(std::ostream& stream, std::string_view title, std::string_view text);

    std::ostream& out_;
    std::ostream& err_;
    bool terminal_;
    Answer answer_;
    std::string title_;
    int percent_ = 0;
    int lastPrintedStep_ = -1;
    bool lineOpen_ = false;  // a redrawn progress line is on the terminal without its line end
    std::size_t drawnWidth_ = 0;
};

}  // namespace tamrik
