// The argument encoding and result decoding of the native call protocol, seen from the host.
#include "runtime/native_call.h"
#include "runtime/natives.h"

#include "host/sim_host.h"
#include "host/slots.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(ArgumentEncoding, IntegersFillTheLow32BitsOnly) {
    EXPECT_EQ(encodeArg(std::int32_t{-1}), 0x00000000FFFFFFFFull);
    EXPECT_EQ(encodeArg(std::int32_t{std::numeric_limits<std::int32_t>::min()}), 0x0000000080000000ull);
    EXPECT_EQ(encodeArg(std::uint32_t{0xA2719263u}), 0x00000000A2719263ull);
    EXPECT_EQ(encodeArg(true), 1u);
    EXPECT_EQ(encodeArg(false), 0u);
}

TEST(ArgumentEncoding, FloatsTravelAsTheirBitPattern) {
    EXPECT_EQ(encodeArg(1.0f), 0x3F800000ull);
    EXPECT_EQ(encodeArg(-2.5f), 0xC0200000ull);
    EXPECT_EQ(encodeArg(0.0f), 0u);
    EXPECT_EQ(encodeArg(-0.0f), 0x80000000ull);
    EXPECT_EQ(encodeArg(5.0f), 0x40A00000ull);
}

TEST(ArgumentEncoding, TextAndOutParametersTravelAsPointers) {
    static const char text[] = "Darts";
    std::int32_t field = 0;
    EXPECT_EQ(encodeArg(text), reinterpret_cast<std::uintptr_t>(text));
    EXPECT_EQ(encodeArg(&field), reinterpret_cast<std::uintptr_t>(&field));
}

TEST(ResultDecoding, ReadsIntsFloatsBytesAndWholeVectors) {
    std::uint64_t block[3] = {0xFFFFFFFFull, 0, 0};
    EXPECT_EQ(decodeInt(block), -1);

    block[0] = 0x0000010000000100ull;  // only the low byte is clear
    EXPECT_FALSE(decodeLowByte(block));
    EXPECT_EQ(decodeInt(block), 0x100);

    block[0] = 0x40490FDBull;
    EXPECT_FLOAT_EQ(decodeFloat(block), 3.14159274f);

    const float x = 1.5f, y = -2.0f, z = 1000.25f;
    block[0] = sim::slotFromFloat(x);
    block[1] = sim::slotFromFloat(y);
    block[2] = sim::slotFromFloat(z);
    const Vector3 v = decodeVector3(block);
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
}

// The wrappers push the slots the game reads, including the trailing arguments of current builds.
class WrapperSlots : public ::testing::Test {
protected:
    sim::SimHost host;
    const sim::NativeCall& last() const { return host.calls().back(); }
};

TEST_F(WrapperSlots, NegativeHandlesAndFloatsArriveEncoded) {
    getPedNearbyPeds(7, nullptr, -1);
    EXPECT_EQ(last().name(), "GET_PED_NEARBY_PEDS");
    EXPECT_EQ(last().slots[2], 0x00000000FFFFFFFFull);

    taskVehicleShootAtCoord(9, 1.0f, -2.0f, 0.5f, 1.0f);
    EXPECT_EQ(last().argCount, 5);
    EXPECT_EQ(last().slots[1], 0x3F800000ull);
    EXPECT_EQ(last().slots[2], 0xC0000000ull);
    EXPECT_EQ(last().slots[4], 0x3F800000ull);
}

TEST_F(WrapperSlots, CurrentBuildArgumentsArePushedLast) {
    beginTextCommandDisplayText("STRING");  // the screen reports an end without its begin
    endTextCommandDisplayText(0.5f, 0.25f);
    EXPECT_EQ(last().argCount, 3);
    EXPECT_EQ(last().slots[2], 0u);

    drawRect(0.5f, 0.5f, 1.0f, 0.1f, 15, 15, 15, 150);
    EXPECT_EQ(last().argCount, 9);
    EXPECT_EQ(last().slots[7], 150u);
    EXPECT_EQ(last().slots[8], 0u);

    createVehicle(0x1234u, 1.0f, 2.0f, 3.0f, 0.0f, true, true);
    EXPECT_EQ(last().argCount, 8);
    EXPECT_EQ(last().slots[7], 0u);

    setVehicleOnGroundProperly(42);
    EXPECT_EQ(last().argCount, 2);
    EXPECT_EQ(last().slots[1], 0x40A00000ull);

    setEntityHealth(5, 300);
    EXPECT_EQ(last().argCount, 4);
    EXPECT_EQ(last().slots[1], 300u);
    EXPECT_EQ(last().slots[2], 0u);
    EXPECT_EQ(last().slots[3], 0u);

    taskEnterVehicle(5, 6, 5000, 7, 2.0f, 1);
    EXPECT_EQ(last().argCount, 8);
    EXPECT_EQ(last().slots[4], 0x40000000ull);
    EXPECT_EQ(last().slots[6], 0u);
    EXPECT_EQ(last().slots[7], 0u);

    EXPECT_TRUE(host.errors().empty());
}

TEST_F(WrapperSlots, OutParametersAreFilledThroughThePointers) {
    host.world().screen.width = 800;
    host.world().screen.height = 600;
    std::int32_t width = 0, height = 0;
    getScreenResolution(&width, &height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    EXPECT_EQ(last().slots[0], reinterpret_cast<std::uintptr_t>(&width));
}

}  // namespace
