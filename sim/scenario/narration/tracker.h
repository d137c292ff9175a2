// Follows a run: turns the native call stream and the world into game events worth telling, and
// keeps what can be derived of the script's state (crew handles, attack mode, target, shots).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "host/call_record.h"
#include "scenario/narration/narration_kind.h"
#include "world/world.h"

namespace scenario {

struct NarrationLine {
    std::uint64_t ms = 0;  // since the start of the run
    std::uint64_t frame = 0;
    NarrationKind kind = NarrationKind::World;
    std::string text;
    bool failed = false;  // a check that did not hold
};

struct ShotPoint {
    std::uint64_t ms = 0;
    sim::Vec3 point;
    sim::Handle target = 0;  // the ped aimed at, 0 for camera-directed fire
};

// One crew the script spawned, and when, where and why it was given up.
struct CrewRecord {
    std::string vehicle;  // as the menu names it
    std::string model;    // the model the script asked for
    std::uint64_t spawnedMs = 0;
    sim::Vec3 spawnedAt;
    std::optional<std::uint64_t> givenUpMs;
    std::optional<sim::Vec3> givenUpAt;
    std::string reason;  // why it was given up
};

class Tracker {
public:
    Tracker(const sim::World& world, std::uint32_t startTick);

    // Names for handles, used in the narration.
    void name(sim::Handle handle, std::string name) {
        names_[handle] = std::move(name);
        newlyNamed_.push_back(handle);
    }
    std::string nameOf(sim::Handle handle) const;

    // Lines are kept and also handed to the listener as they are made.
    void setListener(std::function<void(const NarrationLine&)> listener) { listener_ = std::move(listener); }
    void say(std::uint64_t ms, std::uint64_t frame, NarrationKind kind, std::string text, bool failed = false);

    void onCall(const sim::NativeCall& call);
    // After the script has had its turn in a frame.
    void endFrame(std::uint64_t frame, std::uint64_t ms);
    // A key of the keyboard or mouse going down or up (from the scenario's timeline).
    void keyChange(int key, bool down, std::uint64_t frame, std::uint64_t ms);
    // What keeps the script from reading keys now ("showing the spawn message"), or empty.
    std::string busyWith() const;
    // Closes whatever is still open (a burst of fire) at the end of the run.
    void finish(std::uint64_t frame, std::uint64_t ms);

    // Derived from the calls.
    sim::Handle crewVehicle() const { return crewVehicle_; }  // the last vehicle the script created
    sim::Handle gunner() const { return gunner_; }            // the last gunner it created
    // The script holds a crew vehicle and a gunner, and both exist in the world.
    bool crewHeld() const;
    std::int32_t attackMode() const { return attackMode_; }
    sim::Handle target() const { return target_; }
    std::int64_t shotOrders() const { return shotOrders_; }
    std::int32_t scriptWantedLevel() const { return scriptWanted_; }
    bool menuShown() const { return menuShown_; }
    std::string statusMessage() const { return status_; }
    const std::vector<ShotPoint>& shots() const { return shots_; }
    const std::vector<sim::Handle>& targets() const { return targetHistory_; }
    const std::vector<NarrationLine>& lines() const { return lines_; }
    std::int64_t reboardOrders() const { return reboardOrders_; }
    std::int64_t giveUpOrders() const { return giveUpOrders_; }
    bool lastFrameHadScript() const { return lastFrameHadCalls_; }
    const std::vector<CrewRecord>& crews() const { return crews_; }
    // When a ped was first seen down, and gone from the world.
    std::optional<std::uint64_t> downAt(sim::Handle ped) const;
    std::optional<std::uint64_t> goneAt(sim::Handle ped) const;
    // The name the script hashed to `hash` (a weapon's), or the hash in hex.
    std::string hashedName(std::uint32_t hash) const;

private:
    std::uint32_t msOf(const sim::NativeCall& call) const { return call.tick - startTick_; }
    void onSupervisorStep(const sim::NativeCall& call);
    void onSpawnCall(const sim::NativeCall& call);
    void onFireCall(const sim::NativeCall& call);
    void onSetUpCall(const sim::NativeCall& call);
    void tellSetUp(std::uint64_t frame, std::uint64_t ms);
    void reviewScreen(std::uint64_t frame, std::uint64_t ms);
    void reviewWorld(std::uint64_t frame, std::uint64_t ms);
    // The game's own doings (tracker_game.cpp): lasting fire, vehicles on the player, controls.
    void reviewGame(std::uint64_t frame, std::uint64_t ms);
    void noteSpawnStart(const sim::NativeCall& call);
    void noteFireAtDownTarget(std::uint64_t frame, std::uint64_t ms);
    void noteKeptCrew(std::uint64_t frame, std::uint64_t ms);
    std::string unfitInWorld() const;
    void closeBurst(std::uint64_t frame, std::uint64_t ms);
    void recordGiveUp(std::uint64_t ms);
    std::string distanceText(sim::Handle from, sim::Handle to) const;

    const sim::World& world_;
    std::uint32_t startTick_;
    std::map<sim::Handle, std::string> names_;
    std::function<void(const NarrationLine&)> listener_;
    std::vector<NarrationLine> lines_;

    // Whether the script ran in the frame, and ran its supervisor.
    bool frameHadCalls_ = false;
    bool frameHadSupervisor_ = false;
    bool lastFrameHadCalls_ = false;

    // Menu and status line.
    bool menuShown_ = false;
    std::string highlight_;
    std::string status_;          // on screen in the last frame
    std::string narratedStatus_;  // last told, kept through frames the script sat out

    // Spawning.
    bool spawning_ = false;
    std::string spawnName_;
    std::uint64_t loadFrames_ = 0;
    sim::Handle crewVehicle_ = 0;
    sim::Handle gunner_ = 0;
    std::int32_t attackMode_ = 0;
    bool setUpPending_ = false;  // the gunner was set up this frame, not told yet
    std::map<std::uint32_t, std::string> hashedNames_;

    // The handles the script holds for its crew: set by the spawn, revealed again by each
    // supervisor pass's existence tests, and the vehicle dropped when the crew is given up.
    int supervisorStep_ = 0;
    sim::Handle heldVehicle_ = 0;
    sim::Handle heldGunner_ = 0;
    bool awaitingTankReread_ = false;
    bool followsHealthRead_ = false;  // the last call read the gunner's health

    // Fire, re-boarding and giving up.
    std::string unfitReason_;
    bool givenUp_ = false;
    std::int64_t giveUpOrders_ = 0;
    std::int64_t giveUpOrdersAtSpawn_ = 0;  // of earlier crews
    bool reboardOrdered_ = false;
    std::int64_t reboardOrders_ = 0;
    bool gunnerSeated_ = false;
    bool gunnerEverSeated_ = false;
    sim::Handle pendingBoneTarget_ = 0;
    sim::Handle target_ = 0;
    std::vector<sim::Handle> targetHistory_;
    std::int64_t shotOrders_ = 0;
    std::vector<ShotPoint> shots_;
    bool burstOpen_ = false;
    std::uint64_t burstStartMs_ = 0;
    std::uint64_t burstLastMs_ = 0;
    std::int64_t burstShots_ = 0;
    std::int32_t scriptWanted_ = 0;
    std::map<sim::Handle, bool> pedAlive_;
    std::vector<sim::Handle> newlyNamed_;  // not yet looked at for `pedAlive_`
    std::uint64_t seenLifeChanges_ = ~std::uint64_t{0};

    // What the script silently did not do.
    std::set<int> keysDownWhileBusy_;
    bool controlDown_ = false;
    bool iWithControl_ = false;
    sim::Handle firedAtDown_ = 0;
    std::string keptReason_;
    std::string lastChoice_;

    // The game's doings, as far as told.
    std::size_t seenRounds_ = 0;
    bool lastRoundOrdered_ = true;
    bool lastRoundBehind_ = false;
    std::uint64_t seenPitchFrames_ = 0;
    bool pitching_ = false;
    std::uint64_t seenSkips_ = 0;
    std::int64_t seenOnPlayer_ = 0;
    bool menuDrawnThisFrame_ = false;

    // For the report's tables.
    std::vector<CrewRecord> crews_;
    std::string spawnModel_;
    std::map<sim::Handle, std::uint64_t> downAt_;
    std::map<sim::Handle, std::uint64_t> goneAt_;
};

}  // namespace scenario
