#include <iostream>
#include <string>
#include <vector>

#include "app/cli/CommandLine.h"
#include "settings/DefaultSettings.h"
#include "settings/SettingsStore.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);

    tamrik::SettingsStore mainStore;
    tamrik::StoreCreate(mainStore);
    tamrik::ApplyDefaultSettings(mainStore);

    const auto result = tamrik::CommandLineMode(arguments, std::cout, std::cerr);
    tamrik::StoreDestroy(&mainStore);
    if (result.actionPerformed) return result.exitStatus;
    std::cerr << "tamrik: the desktop window is not built yet; try --help\n";
    return 0;
}
