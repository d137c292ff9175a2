// Writes a played session as a scenario file: the world it started from, every entry at the time
// it was played, and expectations of the state wherever one was asked for and at the end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "scenario/format/scenario.h"

namespace play {

// What the expectations of a moment say: read as the scenario checks read it.
struct PedState {
    std::string name;
    bool exists = false;
    bool down = false;
};

struct Moment {
    std::uint64_t ms = 0;
    std::int32_t wantedLevel = 0;
    std::int32_t attackMode = 0;
    bool crewExists = false;
    bool playerInCrewVehicle = false;
    std::int64_t shotOrders = 0;
    std::string status;
    std::vector<PedState> peds;
};

struct Recording {
    std::string name;
    std::string description;
    scenario::WorldSetup world;
    // The script's settings, written beside the scenario under `settingsFile` when there are any.
    std::optional<std::string> settingsText;
    std::string settingsFile;
    std::vector<std::string> entries;       // timeline entries, in order of time
    std::vector<std::string> expectations;  // [[expect]] tables asked for during play
};

// The `[world]` tables of a scenario that sets `world` up.
std::string worldText(const scenario::WorldSetup& world);

// An `[[expect]]` table of the moment: at its time, or at the end when `atEnd`. The status
// message is checked only at a moment asked for: at the end of a session it is whatever was
// last on screen, which says little.
std::string expectationText(const Moment& moment, bool atEnd);

// The line of the scenario file that holds timeline entry `index` (from 0), for the messages of
// entries played live, which then name the same line as the replay does.
std::int64_t entryLine(const Recording& recording, std::size_t index);

// The whole scenario, ending at `end` with its expectations.
std::string scenarioText(const Recording& recording, const Moment& end);

}  // namespace play
