#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tamrik {

struct CommandLineResult {
    bool actionPerformed = false;  // the program ends after the command line instead of opening its window
    int exitStatus = 0;            // 0 every action succeeded, 1 one failed, 2 usage error
};

// Runs the command-line options left to right. Output goes to the given streams so tests can read it.
CommandLineResult CommandLineMode(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tamrik
