#include "panel/PanelLink.h"

#include <algorithm>
#include <cstring>

namespace tamrik {

int PanelLink::LinkOpen() {
    if (open_) return 1;
    if (!deviceOpen()) return -1;
    open_ = true;
    return 1;
}

int PanelLink::LinkClose() {
    if (open_) deviceClose();
    open_ = false;
    return 1;
}

int PanelLink::LinkWrite(const std::uint8_t* report, std::uint16_t length) {
    if (LinkOpen() != 1) return -1;
    const std::size_t copied = std::min<std::size_t>(length, kReportSize);
    if (copied > 0) std::memcpy(output_.data(), report, copied);
    if (!deviceWrite(output_, kLinkWaitLimit)) {
        LinkClose();
        return -1;
    }
    ++reportsWritten_;
    return 1;
}

int PanelLink::LinkRead(std::uint8_t* destination, std::uint8_t length) {
    if (!open_) return -1;
    const ReadResult result = deviceRead(input_, kLinkWaitLimit);
    if (result != ReadResult::Received) {
        if (result == ReadResult::DeviceFailed) LinkClose();
        return -1;
    }
    ++reportsRead_;
    const std::size_t copied = std::min<std::size_t>(length, kReportSize);
    if (copied > 0 && destination) std::memcpy(destination, input_.data(), copied);
    return 1;
}

}  // namespace tamrik
