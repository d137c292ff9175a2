// The tracker's view of the world after each frame, and what the script did not do: keys it never
// saw, a crew it kept, and fire at a ped that is already down.
#include "scenario/narration/tracker.h"

namespace scenario {
namespace {

constexpr int controlKey = 0x11;
constexpr int letterE = 0x45;
constexpr int letterI = 0x49;

}  // namespace

std::string Tracker::busyWith() const {
    if (!spawning_) return std::string();
    return status_.empty() ? "spawning the crew" : "showing the spawn message";
}

// A key that goes down and up again while the script waits inside a spawn is never read: the
// script only asks whether a key is down, between its waits.
void Tracker::keyChange(int key, bool down, std::uint64_t frame, std::uint64_t ms) {
    const std::string busy = busyWith();
    if (key == controlKey) controlDown_ = down;
    if (down) {
        if (!busy.empty()) keysDownWhileBusy_.insert(key);
        if (key == letterI) iWithControl_ = controlDown_;
        return;
    }
    const bool pressedWhileBusy = keysDownWhileBusy_.erase(key) > 0;
    if (!pressedWhileBusy || busy.empty()) return;
    if (key == letterE) say(ms, frame, NarrationKind::Input, "E ignored: the script is " + busy);
    if (key == letterI && iWithControl_) say(ms, frame, NarrationKind::Input, "Ctrl+I ignored: the script is " + busy);
}

void Tracker::noteFireAtDownTarget(std::uint64_t frame, std::uint64_t ms) {
    const sim::Handle aimed = shots_.back().target;
    const sim::SimEntity* ped = world_.entities.find(aimed);
    if (aimed == 0 || ped == nullptr || !ped->isDown() || aimed == firedAtDown_) return;
    firedAtDown_ = aimed;
    say(ms, frame, NarrationKind::Fire, "the gunner keeps firing at " + nameOf(aimed) + ", who is already down");
}

// What would make the script give the crew up, as the world has it now; empty when fit.
std::string Tracker::unfitInWorld() const {
    const sim::SimEntity* vehicle = world_.entities.find(crewVehicle_);
    const sim::SimEntity* gunner = world_.entities.find(gunner_);
    if (vehicle == nullptr || gunner == nullptr) return std::string();
    if (gunner->health == 0) return "the gunner's health is 0";
    if (!(vehicle->petrolTankHealth > 0.0f)) return "the petrol tank is wrecked";
    if (vehicle->inWater) return "the crew vehicle is in water";
    if (vehicle->upsideDown) return "the crew vehicle is upside down";
    return std::string();
}

// The script tests the crew's fitness only while the player sits in the crew vehicle or the
// attack mode is not 0; otherwise an unfit crew stays the script's crew.
void Tracker::noteKeptCrew(std::uint64_t frame, std::uint64_t ms) {
    const bool playerAboard = world_.entities.isSittingIn(world_.entities.playerPed, crewVehicle_);
    const std::string unfit = crewHeld() && !givenUp_ && !playerAboard && attackMode_ == 0 ? unfitInWorld() : "";
    if (!unfit.empty() && unfit != keptReason_) {
        say(ms, frame, NarrationKind::Crew,
            "the crew is kept although " + unfit +
                ": with the player on foot and attack mode 0 the script does not check the crew");
    }
    keptReason_ = unfit;
}

void Tracker::reviewWorld(std::uint64_t frame, std::uint64_t ms) {
    const sim::Entities& entities = world_.entities;
    const sim::SimEntity* gunner = entities.find(gunner_);
    const bool seated = entities.isSittingIn(gunner_, crewVehicle_);
    if (seated && !gunnerSeated_) {
        say(ms, frame, NarrationKind::Crew,
            gunnerEverSeated_ ? "the gunner is back in seat " + std::to_string(gunner->seat) + " (re-boarded)"
                              : "the gunner is seated in seat " + std::to_string(gunner->seat));
        gunnerEverSeated_ = true;
        reboardOrdered_ = false;
    } else if (!seated && gunnerSeated_) {
        say(ms, frame, NarrationKind::Crew,
            gunner == nullptr ? "the gunner is gone" : "the gunner is out of the crew vehicle");
    }
    gunnerSeated_ = seated;

    // Only when some health, life or entity changed; then both maps, ordered by handle, are
    // walked together rather than searched per ped.
    if (entities.lifeChanges != seenLifeChanges_) {
        seenLifeChanges_ = entities.lifeChanges;
        auto entity = entities.entities.begin();
        for (auto& [handle, alive] : pedAlive_) {
            while (entity != entities.entities.end() && entity->first < handle) ++entity;
            const sim::SimEntity* ped =
                entity != entities.entities.end() && entity->first == handle ? &entity->second : nullptr;
            const bool nowAlive = ped != nullptr && !ped->isDown();
            if (alive && !nowAlive && ped != nullptr) {
                say(ms, frame, NarrationKind::World, nameOf(handle) + " is down");
                downAt_.emplace(handle, ms);
            }
            if (ped == nullptr) goneAt_.emplace(handle, ms);
            alive = nowAlive;
        }
    }
    for (const sim::Handle handle : newlyNamed_) {
        const sim::SimEntity* ped = entities.find(handle);
        if (handle != entities.playerPed && ped != nullptr && ped->kind == sim::EntityKind::Ped &&
            !pedAlive_.contains(handle)) {
            pedAlive_[handle] = !ped->isDown();
        }
    }
    newlyNamed_.clear();
}

std::optional<std::uint64_t> Tracker::downAt(sim::Handle ped) const {
    const auto found = downAt_.find(ped);
    return found == downAt_.end() ? std::nullopt : std::optional<std::uint64_t>(found->second);
}

std::optional<std::uint64_t> Tracker::goneAt(sim::Handle ped) const {
    const auto found = goneAt_.find(ped);
    return found == goneAt_.end() ? std::nullopt : std::optional<std::uint64_t>(found->second);
}

}  // namespace scenario
