#include <gtest/gtest.h>

#include <sstream>

#include "panel/ConsoleObserver.h"
#include "panel/PanelMessages.h"

namespace tamrik {
namespace {

TEST(ConsoleObserverTest, PlainOutputPrintsTitlesAndTenPercentSteps) {
    std::ostringstream out, err;
    ConsoleObserver observer(out, err, false, ConsoleObserver::Answer::No);
    observer.ProgressOpen();
    observer.ProgressTitle("Reading site data...");
    for (int percent = 0; percent <= 100; percent += 4) observer.ProgressSet(percent);
    observer.ProgressSet(100);
    observer.ProgressTitle("Reading loop data...");
    observer.ProgressSet(55);
    observer.ProgressSet(100);  // the second stage reaches its end too
    observer.ProgressSet(-1);
    observer.ProgressTitle("ignored after the close");
    EXPECT_EQ(out.str(),
              "Reading site data...\n"
              "Reading site data... 10%\nReading site data... 20%\nReading site data... 30%\n"
              "Reading site data... 40%\nReading site data... 50%\nReading site data... 60%\n"
              "Reading site data... 70%\nReading site data... 80%\nReading site data... 90%\n"
              "Reading site data... 100%\n"
              "Reading loop data...\nReading loop data... 50%\nReading loop data... 100%\n");
    EXPECT_EQ(err.str(), "");
}

TEST(ConsoleObserverTest, TerminalRedrawsOneLineAndEndsItBeforeAMessage) {
    std::ostringstream out, err;
    ConsoleObserver observer(out, err, true, ConsoleObserver::Answer::No);
    observer.ProgressOpen();
    observer.ProgressTitle("Erasing...");
    observer.ProgressSet(50);
    observer.ProgressSet(50);  // unchanged: not redrawn
    const std::string drawn = out.str();
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), '\r'), 3);
    EXPECT_NE(drawn.find("\rErasing... [###############...............]  50%"), std::string::npos);
    EXPECT_EQ(drawn.find('\n'), std::string::npos);

    observer.Message({panelmessages::kErrorTitle, panelmessages::kCannotProgramPage, MessageIcon::Error, true});
    EXPECT_EQ(out.str().back(), '\n');
    EXPECT_EQ(err.str(), "5300 Commissioning software Error: Can't program page!\n");

    observer.ProgressSet(60);
    observer.ProgressSet(-1);
    EXPECT_EQ(out.str().back(), '\n');
}

TEST(ConsoleObserverTest, QuestionsAreAnsweredByThePolicyOnOneLine) {
    std::ostringstream out, err;
    ConsoleObserver yes(out, err, false, ConsoleObserver::Answer::Yes);
    EXPECT_TRUE(yes.Question(panelmessages::kAreYouSureTitle, panelmessages::kOlderFirmwareQuestion));
    EXPECT_EQ(err.str(),
              "Are you sure?: Are you sure you want to update the panel firmware with a version older than the one "
              "currently in use?\n(answered yes)\n");
    std::ostringstream err2;
    ConsoleObserver no(out, err2, false, ConsoleObserver::Answer::No);
    EXPECT_FALSE(no.Question("Are you sure?", "Go?"));
    EXPECT_EQ(err2.str(), "Are you sure?: Go?\n(answered no)\n");
}

}  // namespace
}  // namespace tamrik
