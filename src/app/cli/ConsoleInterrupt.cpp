#include "app/cli/ConsoleInterrupt.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace tamrik {
namespace {

std::atomic<TransferObserver*> watchedObserver{nullptr};
// The transfer the user was last warned about: one more Ctrl+C during it stops it.
std::atomic<unsigned> warnedTransfer{0};

void writeError(const char* text) {
    // Only async-signal-safe calls here; a short write to the terminal is not worth retrying.
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, text, std::strlen(text));
}

void onInterrupt(int signalNumber) {
    TransferObserver* observer = watchedObserver.load();
    if (!observer || !observer->transferRunning()) {
        ::signal(signalNumber, SIG_DFL);
        ::raise(signalNumber);
        return;
    }
    const unsigned transfer = observer->transferNumber();
    if (observer->transferKind() != TransferKind::Read && warnedTransfer.exchange(transfer) != transfer) {
        writeError("\n");
        writeError(kStopWouldBreakPanel);
        writeError("\n");
        return;
    }
    observer->RequestStop();
}

}  // namespace

void InstallConsoleInterrupt(TransferObserver& observer) {
    warnedTransfer = 0;
    watchedObserver = &observer;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
}

void RemoveConsoleInterrupt() {
    ::signal(SIGINT, SIG_DFL);
    watchedObserver = nullptr;
}

}  // namespace tamrik
