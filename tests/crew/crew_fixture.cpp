// Shared set-up for the crew tests.
#include "crew/crew_fixture.h"

#include "runtime/platform_calls.h"
#include "support/recorded_calls.h"

#include <span>

namespace test {

void CrewTest::spawnFromMenu(std::int32_t selection) {
    state.menuOpen = true;
    state.menuSelection = selection;
    state.menuKeyTick = 0;
    host().setKey(Key::returnKey, true);
    host().runFrames(1);
    host().setKey(Key::returnKey, false);
    const bool closed = host().runUntil([] { return !state.menuOpen; }, 3000);
    ASSERT_TRUE(closed) << "the spawn did not return to the menu";
}

PlacedCrew CrewTest::placeCrew(std::int32_t seat, sim::Vec3 where, float heading) {
    PlacedCrew crew;
    crew.vehicle = world().addVehicle(sim::hashName("INSURGENT"), where, heading);
    crew.gunner = world().addPed(sim::hashName("s_m_y_blackops_01"), where, heading);
    world().seatPed(crew.gunner, crew.vehicle, seat);
    entity(crew.gunner).health = 300;
    state.crewVehicle = crew.vehicle;
    state.gunnerPed = crew.gunner;
    state.gunnerSeat = seat;
    return crew;
}

std::vector<const sim::NativeCall*> CrewTest::callsSince(std::size_t from, const std::string& name) const {
    std::vector<const sim::NativeCall*> found;
    const auto& calls = harness->host.calls();
    for (std::size_t i = from; i < calls.size(); ++i) {
        if (name.empty() || calls[i].name() == name) found.push_back(&calls[i]);
    }
    return found;
}

std::vector<std::string> CrewTest::namesSince(std::size_t from) const {
    return namesOf(std::span(harness->host.calls()).subspan(from));
}

std::vector<std::string> CrewTest::runFrameNames() {
    const std::size_t from = mark();
    host().runFrames(1);
    return namesSince(from);
}

}  // namespace test
