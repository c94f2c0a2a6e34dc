#include "panel/sim/SimulatedPanelFile.h"

#include <filesystem>

#include "panel/sim/DemoPanel.h"

namespace tamrik {

std::shared_ptr<SimulatedPanel> OpenSimulatedPanel(const std::string& path, std::string* error) {
    auto panel = std::make_shared<SimulatedPanel>();
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored)) {
        BuildDemoPanel(*panel);
        panel->attachStateFile(path);
        if (!panel->save(error)) return nullptr;
        return panel;
    }
    if (!panel->load(path, error)) return nullptr;
    return panel;
}

std::unique_ptr<SimulatedPanelLink> OpenSimulatedPanelLink(const std::string& path, SimLinkOptions options,
                                                           std::string* error) {
    auto panel = OpenSimulatedPanel(path, error);
    if (!panel) return nullptr;
    return std::make_unique<SimulatedPanelLink>(std::move(panel), options, "simulated panel (" + path + ")");
}

}  // namespace tamrik
