#include "panel/ConsoleObserver.h"

#include <algorithm>
#include <ostream>

#include "panel/PanelMessages.h"

namespace tamrik {
namespace {

constexpr int kBarWidth = 30;

// Message texts may hold line breaks; on a console each message stays one line.
std::string oneLine(std::string_view text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        line.push_back(text[i] == '\r' || text[i] == '\n' ? ' ' : text[i]);
    }
    return line;
}

}  // namespace

ConsoleObserver::ConsoleObserver(std::ostream& out, std::ostream& err, bool outIsTerminal, Answer questions)
    : out_(out), err_(err), terminal_(outIsTerminal), answer_(questions) {}

void ConsoleObserver::onProgressOpen() {
    title_ = panelmessages::kProgressTitle;
    percent_ = 0;
    lastPrintedStep_ = 0;
    if (terminal_) draw();
}

void ConsoleObserver::onProgress(int percent) {
    if (terminal_) {
        if (percent != percent_) {
            percent_ = percent;
            draw();
        }
        return;
    }
    percent_ = percent;
    const int step = percent / 10;
    if (step != lastPrintedStep_) {
        lastPrintedStep_ = step;
        out_ << title_ << ' ' << step * 10 << "%\n" << std::flush;
    }
}

void ConsoleObserver::onTitle(std::string_view title, ProgressStep) {
    title_ = title;
    percent_ = 0;
    if (terminal_) {
        draw();
        return;
    }
    lastPrintedStep_ = 0;  // the title line stands for 0 %
    out_ << title_ << '\n' << std::flush;
}

void ConsoleObserver::onProgressClose() {
    if (terminal_ && lineOpen_) endLine();
}

void ConsoleObserver::draw() {
    const int filled = percent_ * kBarWidth / 100;
    std::string line = title_ + " [" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] ";
    const std::string number = std::to_string(percent_);
    line += std::string(3 - std::min<std::size_t>(3, number.size()), ' ') + number + "%";
    // Blank out what a longer previous line left behind.
    const std::size_t width = line.size();
    if (width < drawnWidth_) line += std::string(drawnWidth_ - width, ' ');
    drawnWidth_ = width;
    out_ << '\r' << line << std::flush;
    lineOpen_ = true;
}

void ConsoleObserver::endLine() {
    out_ << '\n' << std::flush;
    lineOpen_ = false;
    drawnWidth_ = 0;
}

void ConsoleObserver::printLine(std::ostream& stream, std::string_view title, std::string_view text) {
    if (lineOpen_) endLine();
    stream << title << ": " << oneLine(text) << '\n' << std::flush;
}

void ConsoleObserver::onMessage(const PanelMessage& message) { printLine(err_, message.title, message.text); }

bool ConsoleObserver::onQuestion(std::string_view title, std::string_view text) {
    printLine(err_, title, text);
    const bool yes = answer_ == Answer::Yes;
    err_ << (yes ? "(answered yes)\n" : "(answered no)\n") << std::flush;
    return yes;
}

}  // namespace tamrik
