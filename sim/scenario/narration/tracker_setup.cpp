// The narration's account of the gunner's set-up after a spawn: seat, health, armour, weapon and
// group, as the world holds them once the script has set him up.
#include <cstdio>

#include "scenario/narration/tracker.h"
#include "scenario/narration/tracker_support.h"

namespace scenario {

void Tracker::onSetUpCall(const sim::NativeCall& call) {
    const Natives& n = natives();
    if (call.native == n.hashKey && !call.texts.empty()) {
        hashedNames_[static_cast<std::uint32_t>(call.intResult())] = call.texts[0];
    } else if ((call.native == n.armour || call.native == n.giveWeapon || call.native == n.groupMember) &&
               gunner_ != 0 && call.intArg(0) == gunner_) {
        setUpPending_ = true;
    }
}

std::string Tracker::hashedName(std::uint32_t hash) const {
    const auto found = hashedNames_.find(hash);
    if (found != hashedNames_.end()) return found->second;
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", hash);
    return text;
}

// Told at the end of the frame, so every set-up call of the pass is in.
void Tracker::tellSetUp(std::uint64_t frame, std::uint64_t ms) {
    if (!setUpPending_) return;
    setUpPending_ = false;
    const sim::SimEntity* gunner = world_.entities.findPed(gunner_);
    if (gunner == nullptr) return;
    const std::string weapon = gunner->weapon == 0
                                   ? std::string("no weapon")
                                   : hashedName(gunner->weapon) + " with " + std::to_string(gunner->ammo) + " rounds";
    const std::string group = gunner->group == world_.entities.playerGroup ? std::string("in the player's group")
                              : gunner->group < 0                          ? std::string("in no group")
                                                  : "in group " + std::to_string(gunner->group);
    say(ms, frame, NarrationKind::Spawn,
        "gunner set up: seat " + std::to_string(gunner->seat) + ", health " + std::to_string(gunner->health) +
            ", armour " + std::to_string(gunner->armour) + ", " + weapon + ", " + group);
}

}  // namespace scenario
