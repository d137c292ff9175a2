// Drives the clock, the keys and the world from the control lane, and checks the invariants.
#include "fuzz_case.h"

#include "fuzz_input.h"
#include "hostile_world.h"

#include "runtime/state.h"

#include "host/native_table.h"
#include "host/sim_host.h"
#include "script_link/script_module.h"

#include <array>

namespace fuzz {
namespace {

// Every key and button the script reads.
constexpr std::array<int, keySlots> scriptKeys = {0x01, 0x02, 0x0D, 0x11, 0x21, 0x22, 0x45, 0x49, 0x62, 0x65, 0x68};

// Clock step for one frame: mostly frame-sized, sometimes seconds, rarely minutes; 255 is a
// jump to any tick when the input allows jumps.
std::uint32_t nextTick(std::uint32_t tick, std::uint8_t control, bool jumps, FuzzInput& input) {
    if (control < 8) return tick;
    if (control < 160) return tick + 1u + (control - 8u) % 33u;
    if (control < 208) return tick + 16u * (control - 159u);
    if (control < 240) return tick + 250u * (control - 207u);
    if (control < 255) return tick + 8000u * (control - 239u);
    return jumps ? input.answerWord() : tick + 16u;
}

void applyKeys(sim::SimHost& host, std::uint8_t control) {
    if (control == releaseAllKeys) {
        host.releaseAllKeys();
    } else if (control == toggleFocus) {
        host.setFocus(!host.focused());
    } else if (control >= firstKeyToggle && control < firstKeyToggle + scriptKeys.size()) {
        const int key = scriptKeys[control - firstKeyToggle];
        host.setKey(key, !host.keyDown(key));
    }
}

struct Watch {
    std::int32_t wantedLevel = 0;
    float wantedProgress = 1.0f;
    std::int32_t* buffer = nullptr;
};

void checkFrame(const sim::SimHost& host, HostileWorld& world, Watch& watch) {
    const auto frame = [&host] { return "frame " + std::to_string(host.frame()) + ": "; };
    if (state.menuSelection < 0 || state.menuSelection > 3) {
        world.fail(frame() + "menuSelection is " + std::to_string(state.menuSelection));
    }
    if (state.attackMode < 0 || state.attackMode > 2) {
        world.fail(frame() + "attackMode is " + std::to_string(state.attackMode));
    }
    if (state.wantedLevel < watch.wantedLevel || state.wantedLevel > 6) {
        world.fail(frame() + "wantedLevel went from " + std::to_string(watch.wantedLevel) + " to " +
                   std::to_string(state.wantedLevel));
    }
    if (!(state.wantedProgress >= watch.wantedProgress)) {
        world.fail(frame() + "wantedProgress went from " + std::to_string(watch.wantedProgress) + " to " +
                   std::to_string(state.wantedProgress));
    }
    watch.wantedLevel = state.wantedLevel;
    watch.wantedProgress = state.wantedProgress;
    if (state.nearbyPeds != watch.buffer) world.fail(frame() + "the nearby-peds buffer pointer changed");

    const std::pair<const char*, std::int32_t> handles[] = {
        {"crewVehicle", state.crewVehicle}, {"gunnerPed", state.gunnerPed},   {"playerPed", state.playerPed},
        {"playerVehicle", state.playerVehicle}, {"targetPed", state.targetPed}};
    for (const auto& [field, handle] : handles) {
        if (!world.received(handle)) {
            world.fail(frame() + field + " holds " + std::to_string(handle) + ", which the game never gave the script");
        }
    }
    if (!world.receivedPlayer(state.playerId)) world.fail(frame() + "playerId was never given by the game");

    if (!host.errors().empty()) world.fail(frame() + "host protocol error: " + host.errors().front());
    if (host.scriptFinished()) world.fail(frame() + "the script stopped running");
}

}  // namespace

FuzzOutcome runFuzzCase(const std::uint8_t* data, std::size_t size) {
    FuzzOutcome outcome;
    FuzzInput input(data, size);
    const bool jumps = input.flag(FuzzFlags::clockJumps);
    HostileWorld world(input, HostileWorldOptions{input.flag(FuzzFlags::throwing), !jumps});
    if (referenceNatives().empty()) world.fail("cannot read the native list at " + nativeListPath());
    world.populate(input.startingPeds());

    sim::HostConfig config;
    config.startTick = input.flag(FuzzFlags::startNearWrap) ? 0xFFFFFFFFu - 16u * input.startOffset()
                                                           : 100000u + input.startOffset();
    config.frameMs = 0;
    config.recordCalls = false;
    sim::SimHost host(config);
    host.setAnswerSource(&world);
    host.load(sim::linkedScript());

    // The buffer is never cleared: whatever an earlier scan or the allocator left is still there.
    Watch watch;
    watch.buffer = state.nearbyPeds;
    for (int i = 0; i < nearbyPedsWords; ++i) state.nearbyPeds[i] = static_cast<std::int32_t>(input.answerWord());

    host.addFrameHook([&](sim::SimHost& h) {
        const FrameControl control = input.nextFrame();
        h.setTick(nextTick(h.tick(), control.clock, jumps, input));
        applyKeys(h, control.keys);
        world.applyEvent(control.event);
    });
    host.start();

    const int frames = input.frames();
    for (int frame = 0; frame < frames && world.failures().empty(); ++frame) {
        host.runFrames(1);
        checkFrame(host, world, watch);
        outcome.frames = frame + 1;
    }
    host.stop();

    outcome.failures = world.failures();
    outcome.nativeCalls = world.totalCalls();
    outcome.hostileAnswers = world.hostileAnswers();
    outcome.thrown = world.thrown();
    for (int i = 0; i < sim::nativeCount(); ++i) {
        const std::string name(sim::nativeInfo(i).name);
        if (const std::uint64_t count = world.callsOf(name); count > 0) outcome.callsByName[name] = count;
    }
    outcome.wantedLevel = state.wantedLevel;
    outcome.endTick = host.tick();
    return outcome;
}

}  // namespace fuzz
