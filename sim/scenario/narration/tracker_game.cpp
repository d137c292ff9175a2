// The tracker's view of the game's own doings: a shoot task that fires on without an order,
// rounds behind the camera, a vehicle created on the player, the player's keys working the game's
// flying controls and a skipped cutscene; and the start of a spawn, told from the menu.
#include "scenario/narration/tracker.h"

#include "scenario/narration/tracker_support.h"
#include "ui/vocabulary.h"

namespace scenario {

// The spawn sets the crew's starting mode before it dismisses the old crew, which waits frames:
// its first call, an existence test made in a menu frame before the supervisor's turn, is where
// the new mode begins.
void Tracker::noteSpawnStart(const sim::NativeCall& call) {
    const Natives& n = natives();
    if (call.native == n.addText && !call.texts.empty() && call.texts[0] == menuTitle) {
        menuDrawnThisFrame_ = true;
        return;
    }
    if (call.native != n.exists || !menuDrawnThisFrame_ || frameHadSupervisor_ || spawning_) return;
    menuDrawnThisFrame_ = false;
    if (highlight_ == closeMenuCaption || highlight_.empty()) return;
    attackMode_ = highlight_ == menuVehicles.back().caption ? 1 : 0;
}

void Tracker::reviewGame(std::uint64_t frame, std::uint64_t ms) {
    const sim::World& world = world_;
    const auto& rounds = world.entities.shots;
    for (; seenRounds_ < rounds.size(); ++seenRounds_) {
        const sim::ShotRecord& round = rounds[seenRounds_];
        if (!round.ordered && lastRoundOrdered_)
            say(ms, frame, NarrationKind::World,
                "the gunner's shoot task fires on at " + pointText(round.point) + " with no new order");
        if (round.behindCamera && !lastRoundBehind_)
            say(ms, frame, NarrationKind::World, "rounds land behind where the camera looks");
        lastRoundOrdered_ = round.ordered;
        lastRoundBehind_ = round.behindCamera;
    }
    if (world.entities.vehiclesCreatedOnPlayer > seenOnPlayer_) {
        seenOnPlayer_ = world.entities.vehiclesCreatedOnPlayer;
        say(ms, frame, NarrationKind::World, "a vehicle is created with the player inside its box");
    }
    const bool pitching = world.helicopterPitchFrames > seenPitchFrames_;
    if (pitching && !pitching_)
        say(ms, frame, NarrationKind::World, "the helicopter pitches: the player's keys reach its flying controls");
    pitching_ = pitching;
    seenPitchFrames_ = world.helicopterPitchFrames;
    if (world.cutscene.skipped > seenSkips_) {
        seenSkips_ = world.cutscene.skipped;
        say(ms, frame, NarrationKind::World, "the cutscene is skipped by a key the game read");
    }
}

}  // namespace scenario
