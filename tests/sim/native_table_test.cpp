// The simulated host's native table agrees with the reference list of the game's natives.
#include "host/native_table.h"
#include "native_reference.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// How the host reads each type the list spells; a type missing here fails the comparison.
const std::map<std::string, sim::ArgKind>& argKindOfType() {
    static const std::map<std::string, sim::ArgKind> kinds = {
        {"int", sim::ArgKind::Int},          {"Any", sim::ArgKind::Int},          {"Player", sim::ArgKind::Int},
        {"BOOL", sim::ArgKind::Bool},        {"Hash", sim::ArgKind::Hash},        {"float", sim::ArgKind::Float},
        {"const char*", sim::ArgKind::Text}, {"Ped", sim::ArgKind::Entity},       {"Vehicle", sim::ArgKind::Entity},
        {"Entity", sim::ArgKind::Entity},    {"int*", sim::ArgKind::Pointer},     {"Any*", sim::ArgKind::Pointer},
        {"Ped*", sim::ArgKind::Pointer},     {"Vehicle*", sim::ArgKind::Pointer}, {"Vector3*", sim::ArgKind::Pointer},
    };
    return kinds;
}

const std::map<std::string, sim::ResultKind>& resultKindOfType() {
    static const std::map<std::string, sim::ResultKind> kinds = {
        {"void", sim::ResultKind::None},      {"int", sim::ResultKind::Int},    {"Player", sim::ResultKind::Int},
        {"BOOL", sim::ResultKind::Bool},      {"Hash", sim::ResultKind::Hash},  {"float", sim::ResultKind::Float},
        {"Vector3", sim::ResultKind::Vector}, {"Ped", sim::ResultKind::Entity}, {"Vehicle", sim::ResultKind::Entity},
    };
    return kinds;
}

void expectSameArguments(const sim::NativeInfo& info, const fuzz::ReferenceNative& reference) {
    ASSERT_EQ(info.args.size(), reference.paramTypes.size()) << info.name;
    for (std::size_t i = 0; i < reference.paramTypes.size(); ++i) {
        const auto kind = argKindOfType().find(reference.paramTypes[i]);
        ASSERT_NE(kind, argKindOfType().end()) << info.name << ": no kind for type " << reference.paramTypes[i];
        EXPECT_EQ(sim::argKind(info, static_cast<int>(i)), kind->second)
            << info.name << " argument " << i << " (" << reference.paramTypes[i] << ")";
    }
}

void expectSameResult(const sim::NativeInfo& info, const fuzz::ReferenceNative& reference) {
    const auto kind = resultKindOfType().find(reference.resultType);
    ASSERT_NE(kind, resultKindOfType().end()) << info.name << ": no kind for type " << reference.resultType;
    EXPECT_EQ(info.result, kind->second) << info.name << " returns " << reference.resultType;
}

TEST(NativeTable, MatchesTheReferenceListArgumentForArgument) {
    const auto& reference = fuzz::referenceNatives();
    ASSERT_GT(reference.size(), 60u) << "natives.tsv not found at " << fuzz::nativeListPath();
    EXPECT_EQ(static_cast<std::size_t>(sim::nativeCount()), reference.size());
    for (int i = 0; i < sim::nativeCount(); ++i) {
        const sim::NativeInfo& info = sim::nativeInfo(i);
        const fuzz::ReferenceNative* found = fuzz::findReferenceNative(info.hash);
        ASSERT_NE(found, nullptr) << info.name << " is not in natives.tsv";
        EXPECT_EQ(info.gameName, found->name);
        EXPECT_EQ(info.name, found->scriptName.empty() ? found->name : found->scriptName);
        expectSameArguments(info, *found);
        expectSameResult(info, *found);
    }
}

// Every parameter type of the list is one the host reads in some known way.
TEST(NativeTable, KnowsEveryTypeTheListSpells) {
    for (const auto& native : fuzz::referenceNatives()) {
        for (const auto& type : native.paramTypes)
            EXPECT_EQ(argKindOfType().count(type), 1u) << native.name << ": " << type;
        EXPECT_EQ(resultKindOfType().count(native.resultType), 1u) << native.name << ": " << native.resultType;
    }
}

TEST(NativeTable, LooksUpByIdHashAndName) {
    const sim::NativeInfo& exists = sim::nativeInfo(sim::NativeId::DoesEntityExist);
    EXPECT_EQ(exists.name, "DOES_ENTITY_EXIST");
    EXPECT_EQ(sim::findNative(0x7239B21A38F536BAull), sim::nativeIndex(sim::NativeId::DoesEntityExist));
    EXPECT_EQ(sim::nativeInfo(sim::NativeId::SetPlayerWantedLevel).gameName, "SET_PLAYER_WANTED_LEVEL_NO_DROP");
    EXPECT_EQ(sim::findNativeByName("SET_PLAYER_WANTED_LEVEL_NO_DROP"),
              sim::nativeIndex(sim::NativeId::SetPlayerWantedLevel));
    EXPECT_EQ(sim::findNativeByName("SET_PLAYER_WANTED_LEVEL"), sim::nativeIndex(sim::NativeId::SetPlayerWantedLevel));
    EXPECT_EQ(sim::findNative(0x1234), -1);
    EXPECT_EQ(sim::findNativeByName("NOT_A_NATIVE"), -1);
}

}  // namespace
