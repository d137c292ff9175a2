// A game that answers the script's natives from fuzz input: mostly a small consistent world,
// and, as often as the input asks, hostile answers (vanished handles, NaN, infinities, negative
// or huge counts, wrong handles). It also checks every call the script makes. Its jobs live in
// one file each: dispatch (hostile_world.cpp), call_checks, small_world, plausible_answers and
// hostile_values.
#pragma once

#include "fuzz_input.h"
#include "native_reference.h"

#include "host/native_table.h"
#include "host/sim_host.h"
#include "world/vec3.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace fuzz {

struct ShadowEntity {
    bool isPed = true;
    std::int32_t vehicle = 0;  // the vehicle a ped is using
    bool sitting = false;
    std::int32_t pedType = 4;
    bool enemy = false;   // has damaged the player and the crew
    bool hidden = false;  // no line of sight from anyone
    std::int32_t health = 200;
    float petrolTank = 1000.0f;
    bool inWater = false;
    bool upsideDown = false;
    sim::Vec3 position;
};

struct HostileWorldOptions {
    bool allowThrow = false;  // a hostile answer may throw std::bad_alloc once the frame loop runs
    // Shot orders must be more than 100 ms of frameTick apart; only meaningful while the clock
    // moves forward in steps, so runs with clock jumps turn it off.
    bool checkShotSpacing = true;
};

class HostileWorld : public sim::AnswerSource {
public:
    HostileWorld(FuzzInput& input, HostileWorldOptions options);

    void answer(int nativeIndex, sim::NativeContext& call) override;

    // A world event from the control lane: people get in and out, entities vanish or return.
    void applyEvent(std::uint8_t event);
    void populate(int peds);

    bool received(std::int32_t handle) const { return handle == 0 || receivedHandles_.count(handle) != 0; }
    bool receivedPlayer(std::int32_t player) const { return player == 0 || receivedPlayers_.count(player) != 0; }
    void noteBufferWords(const std::int32_t* words, int count);

    const std::vector<std::string>& failures() const { return failures_; }
    void fail(const std::string& message);
    std::uint64_t callsOf(sim::NativeId id) const;
    std::uint64_t totalCalls() const { return totalCalls_; }
    std::uint64_t hostileAnswers() const { return hostileAnswers_; }
    std::uint64_t thrown() const { return thrown_; }

private:
    void checkCall(sim::NativeId id, const ReferenceNative& native, sim::NativeContext& call);
    void answerPlausibly(sim::NativeId id, sim::NativeContext& call, std::uint8_t variety);
    void answerHostilely(sim::NativeId id, const ReferenceNative& native, sim::NativeContext& call);
    void fillNearbyPeds(sim::NativeContext& call, bool hostile);
    void noteResult(const ReferenceNative& native, const sim::NativeContext& call);

    std::int32_t hostileInt();
    std::int32_t hostileHandle();
    std::uint32_t hostileBool();
    float hostileFloat();
    std::int32_t spawn(bool isPed, sim::Vec3 position);
    ShadowEntity* find(std::int32_t handle);
    sim::Vec3 positionOf(std::int32_t handle);

    FuzzInput& input_;
    HostileWorldOptions options_;
    std::vector<const ReferenceNative*> byHostIndex_;
    std::unordered_map<std::int32_t, ShadowEntity> entities_;
    std::unordered_map<std::int32_t, ShadowEntity> vanished_;
    std::vector<std::int32_t> nearby_;
    std::int32_t playerPed_ = 0;
    std::int32_t lastVehicle_ = 0;
    std::int32_t lastGunner_ = 0;
    std::int32_t wanted_ = 0;
    std::int32_t nextHandle_ = 0x3000;

    std::unordered_set<std::int32_t> receivedHandles_;
    std::vector<std::int32_t> receivedList_;
    std::unordered_set<std::int32_t> receivedPlayers_;

    bool haveShot_ = false;
    std::uint32_t lastShotTick_ = 0;
    std::int32_t lastWantedSet_ = 0;

    std::vector<std::uint64_t> callCounts_;
    std::uint64_t totalCalls_ = 0;
    std::uint64_t hostileAnswers_ = 0;
    std::uint64_t thrown_ = 0;
    std::vector<std::string> failures_;
};

}  // namespace fuzz
