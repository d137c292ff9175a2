// Shared set-up for the crew tests: a running script, a crew placed in the world, call lookups.
#pragma once

#include "runtime/state.h"
#include "scenario/run/script_folder.h"
#include "support/c_runtime_rand.h"
#include "support/script_harness.h"
#include "world/entities.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace test {

struct PlacedCrew {
    sim::Handle vehicle = 0;
    sim::Handle gunner = 0;
};

class CrewTest : public ScriptTest {
protected:
    sim::Entities& world() { return host().world().entities; }
    sim::SimEntity& entity(sim::Handle handle) { return *world().find(handle); }

    // Runs the first frames so that the script sits in its frame loop.
    void startScript() { host().runFrames(2); }

    // Gives the script a folder of its own (with TobekGunner.ini holding `settings`, if any);
    // call before startScript, which reads the settings and opens the log.
    void giveScriptFolder(const std::optional<std::string>& settings = std::nullopt) {
        folder = std::make_unique<scenario::ScriptFolder>(settings);
        host().setScriptPath(folder->scriptPath());
    }
    std::string log() const { return folder->readLog(); }
    std::unique_ptr<scenario::ScriptFolder> folder;

    // Chooses `selection` in the open menu with Enter and runs until the spawn has finished and
    // the menu has closed (the spawn holds the script through its 3000 ms message).
    void spawnFromMenu(std::int32_t selection);

    // A crew as a finished spawn leaves it: the vehicle at `where`, the gunner in `seat`, and the
    // script's fields pointing at them.
    PlacedCrew placeCrew(std::int32_t seat = 7, sim::Vec3 where = {0.0f, 5.0f, 0.0f}, float heading = 0.0f);
    void seatPlayerIn(sim::Handle vehicle) { world().seatPed(world().playerPed, vehicle, -1); }

    // Recorded calls from index `from` on, all or of one native.
    std::size_t mark() const { return harness->host.calls().size(); }
    std::vector<const sim::NativeCall*> callsSince(std::size_t from, const std::string& name = "") const;
    std::vector<std::string> namesSince(std::size_t from) const;
    // Names of the calls of the next frame, after running it.
    std::vector<std::string> runFrameNames();
};

// Shortcuts for checking recorded arguments.
inline float floatAt(const sim::NativeCall* call, int position) { return call->floatArg(position); }
inline std::int32_t intAt(const sim::NativeCall* call, int position) { return call->intArg(position); }

}  // namespace test
