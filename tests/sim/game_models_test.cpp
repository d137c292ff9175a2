// The game's model table inside the simulated host: the bundled copy, its rows, and the world's
// model queries answered from it.
#include "host/sim_host.h"
#include "runtime/natives.h"
#include "world/entities.h"
#include "world/game_models.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) ADD_FAILURE() << "cannot read " << path;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(GameModelTable, TheBundledCopyIsByteForByteTheSharedTable) {
    const std::string shared = readFile(std::string(TG_SHARED_DIR) + "/game-models.tsv");
    ASSERT_FALSE(shared.empty());
    EXPECT_TRUE(sim::gameModelsText == shared)
        << "data/game-models.tsv, as built in, differs from " << TG_SHARED_DIR << "/game-models.tsv: copy it over";
    EXPECT_EQ(readFile(std::string(TG_SOURCE_DIR) + "/data/game-models.tsv"), shared);
}

TEST(GameModelTable, EveryRowIsTheGameHashOfItsLowerCaseName) {
    const auto& models = sim::gameModels();
    std::set<std::uint32_t> hashes;
    std::size_t peds = 0;
    for (const auto& model : models) {
        EXPECT_EQ(model.hash, sim::hashName(model.name)) << model.name;
        for (const char c : model.name) EXPECT_FALSE(c >= 'A' && c <= 'Z') << model.name;
        EXPECT_TRUE(hashes.insert(model.hash).second) << "hash of " << model.name << " twice";
        if (model.kind == sim::ModelKind::Ped) ++peds;
    }
    EXPECT_EQ(peds, 1109u);
}

TEST(GameModelTable, TheModelsTheScriptNamesAreThereAsTheKindItUsesThem) {
    auto kindOf = [](const char* name) {
        const sim::GameModel* model = sim::findGameModel(sim::hashName(name));
        return model == nullptr ? std::string("none")
                                : std::string(model->kind == sim::ModelKind::Vehicle ? "vehicle" : "ped");
    };
    EXPECT_EQ(kindOf("TECHNICAL"), "vehicle");
    EXPECT_EQ(kindOf("INSURGENT"), "vehicle");
    EXPECT_EQ(kindOf("VALKYRIE"), "vehicle");
    EXPECT_EQ(kindOf("s_m_y_blackops_01"), "ped");
    EXPECT_EQ(sim::hashName("s_m_y_blackops_01"), 0xB3F3EE34u);
    EXPECT_EQ(kindOf("ig_tobekdavis"), "none") << "the gunner's own model is an add-on";
    // Weapons are in the table but are no models to stream or create.
    EXPECT_EQ(kindOf("WEAPON_MICROSMG"), "none");
    bool microSmgListed = false;
    for (const auto& model : sim::gameModels()) {
        microSmgListed |= model.kind == sim::ModelKind::Weapon && model.name == "weapon_microsmg";
    }
    EXPECT_TRUE(microSmgListed);
}

TEST(GameModelTable, AMalformedRowNamesItsLine) {
    const auto rows = sim::parseGameModels("# comment\nped\ta_m_y_one\t0x0000000A\r\n\nvehicle\tcar\t0xFFFFFFFF\n");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "a_m_y_one");
    EXPECT_EQ(rows[0].hash, 10u);
    EXPECT_EQ(rows[1].kind, sim::ModelKind::Vehicle);
    EXPECT_EQ(rows[1].hash, 0xFFFFFFFFu);
    const char* bad[] = {"ped\tx\t0x1\n#\nboat\ty\t0x1\n", "ped\tx\t0x1\n#\nped\ty\t12\n",
                         "ped\tx\t0x1\n#\nped\t\t0x1\n", "ped\tx\t0x1\n#\nped\ty\t0x1\textra\n",
                         "ped\tx\t0x1\n#\nped\ty\t0x1G\n"};
    for (const char* text : bad) {
        try {
            sim::parseGameModels(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find("line 3"), std::string::npos) << error.what();
        }
    }
}

class WorldModelTest : public ::testing::Test {
protected:
    sim::Entities& world() { return host.world().entities; }
    sim::SimHost host;
};

TEST_F(WorldModelTest, AnyModelOfTheGameIsThereAndNothingElseIs) {
    EXPECT_TRUE(isModelInCdimage(getHashKey("a_c_boar")));
    EXPECT_FALSE(isModelAVehicle(getHashKey("a_c_boar")));
    EXPECT_TRUE(isModelInCdimage(getHashKey("zentorno")));
    EXPECT_TRUE(isModelAVehicle(getHashKey("zentorno")));
    EXPECT_FALSE(isModelInCdimage(getHashKey("ig_tobekdavis")));
    EXPECT_FALSE(isModelInCdimage(getHashKey("weapon_microsmg")));

    const Hash unknown = getHashKey("ig_tobekdavis");
    requestModel(unknown);
    host.runFrames(5);
    EXPECT_FALSE(hasModelLoaded(unknown));
    EXPECT_EQ(world().findModel(unknown), nullptr);

    const Hash boar = getHashKey("a_c_boar");
    requestModel(boar);
    EXPECT_FALSE(hasModelLoaded(boar));
    host.runFrames(sim::Entities::gameModelFrames + 1);
    EXPECT_TRUE(hasModelLoaded(boar));
}

TEST_F(WorldModelTest, AnAddOnModelJoinsTheGamesOwn) {
    world().addModel("ig_tobekdavis", false, 2);
    EXPECT_TRUE(isModelInCdimage(getHashKey("ig_tobekdavis")));
    EXPECT_FALSE(isModelAVehicle(getHashKey("ig_tobekdavis")));
    EXPECT_TRUE(isModelInCdimage(getHashKey("s_m_y_blackops_01")));
}

}  // namespace
