// The simulated host's native table agrees with the reference list of the game's natives.
#include "host/native_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct ReferenceNative {
    std::string gameName;
    std::size_t argCount = 0;
};

std::map<std::uint64_t, ReferenceNative> readReference() {
    std::map<std::uint64_t, ReferenceNative> natives;
    std::ifstream file(std::string(TG_SHARED_DIR) + "/natives.tsv");
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::stringstream stream(line);
        std::string field;
        while (std::getline(stream, field, '\t')) fields.push_back(field);
        if (fields.size() < 4) continue;
        ReferenceNative native;
        native.gameName = fields[1].substr(fields[1].find("::") + 2);
        const std::string params = fields.size() > 4 ? fields[4] : "";
        if (!params.empty()) native.argCount = static_cast<std::size_t>(std::count(params.begin(), params.end(), ';')) + 1;
        natives[std::stoull(fields[0], nullptr, 16)] = native;
    }
    return natives;
}

TEST(NativeTable, MatchesTheReferenceListHashForHash) {
    const auto reference = readReference();
    ASSERT_GT(reference.size(), 60u) << "natives.tsv not found under " << TG_SHARED_DIR;
    EXPECT_EQ(static_cast<std::size_t>(sim::nativeCount()), reference.size());
    for (int i = 0; i < sim::nativeCount(); ++i) {
        const sim::NativeInfo& info = sim::nativeInfo(i);
        const auto found = reference.find(info.hash);
        ASSERT_NE(found, reference.end()) << info.name << " is not in natives.tsv";
        EXPECT_EQ(info.gameName, found->second.gameName);
        EXPECT_EQ(info.args.size(), found->second.argCount) << info.name;
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
