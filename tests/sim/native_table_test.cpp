// The simulated host's native table agrees with the reference list of the game's natives.
#include "host/native_table.h"
#include "native_reference.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(NativeTable, MatchesTheReferenceListHashForHash) {
    const auto& reference = fuzz::referenceNatives();
    ASSERT_GT(reference.size(), 60u) << "natives.tsv not found at " << fuzz::nativeListPath();
    EXPECT_EQ(static_cast<std::size_t>(sim::nativeCount()), reference.size());
    for (int i = 0; i < sim::nativeCount(); ++i) {
        const sim::NativeInfo& info = sim::nativeInfo(i);
        const fuzz::ReferenceNative* found = fuzz::findReferenceNative(info.hash);
        ASSERT_NE(found, nullptr) << info.name << " is not in natives.tsv";
        EXPECT_EQ(info.gameName, found->name);
        EXPECT_EQ(info.args.size(), found->params.size()) << info.name;
    }
}

TEST(NativeTable, LooksUpByHashAndName) {
    const int index = sim::findNative(0x7239B21A38F536BAull);
    ASSERT_GE(index, 0);
    EXPECT_EQ(sim::nativeInfo(index).name, "DOES_ENTITY_EXIST");
    EXPECT_EQ(sim::findNativeByName("SET_PLAYER_WANTED_LEVEL_NO_DROP"), sim::findNativeByName("SET_PLAYER_WANTED_LEVEL"));
    EXPECT_EQ(sim::findNative(0x1234), -1);
}

}  // namespace
