// Which model the gunner is made of: the add-on when a player installed it, else the stock model.
#include "crew/crew_fixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using test::CrewTest;

class GunnerModelTest : public CrewTest {
protected:
    // The models the spawn asked IS_MODEL_IN_CDIMAGE about after the vehicle's, with the answers.
    struct Asked {
        std::uint64_t model;
        std::uint64_t answer;
    };
    std::vector<Asked> gunnerModelChecks(std::size_t from) const {
        std::vector<Asked> asked;
        for (const auto* call : callsSince(from, "IS_MODEL_IN_CDIMAGE")) {
            const std::uint64_t model = call->slots[0];
            if (model == sim::hashName("TECHNICAL") || model == sim::hashName("INSURGENT")) continue;
            asked.push_back(Asked{call->slots[0], call->result[0]});
        }
        return asked;
    }
    const std::uint64_t addonModel = sim::hashName("ig_tobekdavis");
    const std::uint64_t stockModel = 0xB3F3EE34;
};

TEST_F(GunnerModelTest, WithoutTheAddOnTheStockModelTakesItsPlaceWithTheSameSetUp) {
    startScript();
    const std::size_t from = mark();
    spawnFromMenu(1);

    const auto asked = gunnerModelChecks(from);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].model, addonModel);
    EXPECT_EQ(asked[0].answer & 0xFFFFFFFFu, 0u);
    EXPECT_EQ(asked[1].model, stockModel);
    EXPECT_EQ(asked[1].answer & 0xFFFFFFFFu, 1u);
    for (const auto* request : callsSince(from, "REQUEST_MODEL")) EXPECT_NE(request->slots[0], addonModel);

    const auto created = callsSince(from, "CREATE_PED_INSIDE_VEHICLE");
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(created[0]->slots[2], stockModel);
    ASSERT_TRUE(world().exists(state.gunnerPed));
    const sim::SimEntity& gunner = entity(state.gunnerPed);
    EXPECT_EQ(gunner.model, stockModel);
    EXPECT_TRUE(world().isSittingIn(state.gunnerPed, state.crewVehicle));
    EXPECT_EQ(gunner.seat, 7);
    EXPECT_EQ(gunner.health, 300);
    EXPECT_EQ(gunner.armour, 100);
    EXPECT_EQ(gunner.group, world().playerGroup);
    EXPECT_EQ(gunner.weapon, sim::hashName("WEAPON_MICROSMG"));
    EXPECT_EQ(state.statusText, "Insurgent vehicle created.");
    EXPECT_EQ(world().findModel(stockModel)->releaseCount, 1);
}

TEST_F(GunnerModelTest, AnInstalledAddOnIsTheFirstChoice) {
    world().addModel("ig_tobekdavis", false, 2);
    startScript();
    const std::size_t from = mark();
    spawnFromMenu(0);

    const auto asked = gunnerModelChecks(from);
    ASSERT_EQ(asked.size(), 1u) << "the stock model is not even asked about";
    EXPECT_EQ(asked[0].model, addonModel);
    ASSERT_TRUE(world().exists(state.gunnerPed));
    EXPECT_EQ(entity(state.gunnerPed).model, addonModel);
    EXPECT_EQ(entity(state.gunnerPed).seat, 1);
    EXPECT_EQ(world().findModel(addonModel)->releaseCount, 1);
    EXPECT_EQ(world().findModel(stockModel)->requestCount, 0);
    EXPECT_EQ(state.statusText, "Technical vehicle created.");
}

TEST_F(GunnerModelTest, AnAddOnThatNeverLoadsIsNotReplacedByTheStockModel) {
    // The choice is made on presence alone: a present add-on that never streams in fails the spawn.
    world().addModel("ig_tobekdavis", false, -1);
    startScript();
    const std::size_t from = mark();
    spawnFromMenu(1);
    EXPECT_TRUE(callsSince(from, "CREATE_PED_INSIDE_VEHICLE").empty());
    EXPECT_EQ(world().findModel(stockModel)->requestCount, 0);
    EXPECT_TRUE(world().exists(state.crewVehicle));
    EXPECT_EQ(state.statusText, "Failed creating vehicle.");
}

}  // namespace
