#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings/SettingsStore.h"
#include "site/EventRow.h"

namespace tamrik {

// The site as the document handed over at the end of a job: what is installed where, how the panel
// is programmed, the design check and the loop currents. Texts are as the site holds them (Latin-1).
struct CommissioningReport {
    struct Field {
        std::string label;
        std::string value;
    };
    struct Device {
        int address = 0;
        std::string type, serial, zone, inputGroup, outputGroup, daySensitivity, nightSensitivity, deviceClass, volume,
            latching, text;
    };
    struct Zone {
        int number = 0;
        std::string text;
        std::vector<int> addresses;  // the devices in the zone, in address order
    };
    struct OutputGroup {
        bool disabled = false;
        std::string delayT1, delayT2, alarmType;
    };
    struct Matrix {
        std::array<std::string, 32> inputLabels;       // "IPG1" .. "Sound Alarms"
        std::array<std::array<char, 32>, 32> cells{};  // [input][output]: O, C, P, W or '?'
        std::array<OutputGroup, 32> outputs;
        int coincidenceGroups = 0;  // 0: coincidence off
    };
    struct DesignCheck {
        std::uint32_t faultCount = 0;
        std::vector<std::string> faults;  // every line of the checker's report
        float quiescentMilliamps = 0, alarmMilliamps = 0, alarmLimitMilliamps = 0;
    };
    struct EventCount {
        std::string text;
        int count = 0;
    };
    struct Events {
        std::vector<EventCount> fireCounts, nonFireCounts;  // most frequent first
        std::vector<EventRow> latest;                       // newest first
    };

    std::string siteName;
    std::string generatedAt;                 // when the report was made, as the caller words it
    std::optional<std::string> panelReadAt;  // set when the site came straight from a panel
    std::vector<Field> siteInformation;
    std::vector<Field> panelOptions;
    std::vector<Field> accessLevels;  // whether each code is set; never the code itself
    std::vector<Zone> zones;
    std::vector<Device> devices;  // installed devices only, in address order
    Matrix matrix;
    DesignCheck check;
    Events events;
};

// The time now as reports give it ("2026-12-06 14:05 UTC").
std::string ReportTimeText();

// How many of the newest events the report lists.
constexpr std::size_t kReportLatestEvents = 50;

// Builds the report of the site in `store`. Runs the design check, which records the loop currents
// in the store as it always does.
CommissioningReport BuildCommissioningReport(SettingsStore& store, std::string generatedAt,
                                             std::optional<std::string> panelReadAt = std::nullopt);

}  // namespace tamrik
