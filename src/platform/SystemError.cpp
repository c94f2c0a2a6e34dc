#include "platform/SystemError.h"

#include <cstring>

namespace tamrik {

std::string SystemErrorText(int errorNumber) { return std::strerror(errorNumber); }

}  // namespace tamrik
