#pragma once

#include <string>

namespace tamrik {

// The operating system's words for an error number ("Permission denied").
std::string SystemErrorText(int errorNumber);

}  // namespace tamrik
