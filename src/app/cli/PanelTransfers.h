#pragma once

#include <string>

#include "panel/TransferObserver.h"
#include "settings/SettingsStore.h"

namespace tamrik {

// The three panel transfers as the command line uses them. Each runs to its end before it returns,
// tells its user what happened through the observer, and answers whether it succeeded.
class PanelTransfers {
public:
    virtual ~PanelTransfers() = default;

    // True when something in front of the transfers is simulated; the banner says so.
    virtual bool simulated() const = 0;
    virtual std::string describe() const = 0;

    // Reads the whole panel into `store`.
    virtual bool read(SettingsStore& store, TransferObserver& observer) = 0;
    // Writes the site in `store` to the panel.
    virtual bool write(SettingsStore& store, TransferObserver& observer) = 0;
    // Loads the Intel HEX file and programs it into the panel.
    virtual bool firmware(const std::string& hexPath, SettingsStore& store, TransferObserver& observer) = 0;
};

}  // namespace tamrik
