// The hostile world's dispatch: each call is counted, checked, then answered plausibly or hostilely.
#include "hostile_world.h"

#include "host/native_table.h"

#include <string>

namespace fuzz {

HostileWorld::HostileWorld(FuzzInput& input, HostileWorldOptions options) : input_(input), options_(options) {
    byHostIndex_.assign(static_cast<std::size_t>(sim::nativeCount()), nullptr);
    for (int i = 0; i < sim::nativeCount(); ++i) {
        byHostIndex_[static_cast<std::size_t>(i)] = findReferenceNative(sim::nativeInfo(i).hash);
    }
    callCounts_.assign(static_cast<std::size_t>(sim::nativeCount()), 0);
    playerPed_ = spawn(true, sim::Vec3{0.0f, 0.0f, 0.0f});
}

void HostileWorld::fail(const std::string& message) {
    if (failures_.size() < 20) failures_.push_back(message);
}

std::uint64_t HostileWorld::callsOf(sim::NativeId id) const {
    return callCounts_[static_cast<std::size_t>(sim::nativeIndex(id))];
}

void HostileWorld::answer(int nativeIndex, sim::NativeContext& call) {
    ++totalCalls_;
    ++callCounts_[static_cast<std::size_t>(nativeIndex)];
    const ReferenceNative* native = byHostIndex_[static_cast<std::size_t>(nativeIndex)];
    if (native == nullptr) {
        fail("frame " + std::to_string(call.host.frame()) + ": " + std::string(sim::nativeInfo(nativeIndex).name) +
             " is not in the game's native list");
        return;
    }
    const auto id = static_cast<sim::NativeId>(nativeIndex);
    checkCall(id, *native, call);

    const std::uint8_t choice = input_.answerByte();
    if (choice < input_.hostility()) {
        ++hostileAnswers_;
        answerHostilely(id, *native, call);
    } else {
        answerPlausibly(id, call, choice);
    }
    noteResult(*native, call);
}

void HostileWorld::noteBufferWords(const std::int32_t* words, int count) {
    for (int i = 0; i < count; ++i) {
        if (receivedHandles_.insert(words[i]).second) receivedList_.push_back(words[i]);
    }
}

void HostileWorld::noteResult(const ReferenceNative& native, const sim::NativeContext& call) {
    const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(call.result[0]));
    if (native.result == ValueKind::Handle) {
        if (receivedHandles_.insert(value).second) receivedList_.push_back(value);
    } else if (native.result == ValueKind::Player) {
        receivedPlayers_.insert(value);
    }
}

}  // namespace fuzz
