// The canonical trace line: every pushed bit shows, pointers show what they point to.
#include "host/native_table.h"
#include "scenario/trace.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

sim::NativeCall callOf(const char* name) {
    sim::NativeCall call;
    call.native = sim::findNativeByName(name);
    call.hash = sim::nativeInfo(call.native).hash;
    call.frame = 7;
    call.tick = 4294967295u;
    return call;
}

std::uint64_t floatSlot(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

std::string line(const sim::NativeCall& call) {
    std::string out;
    scenario::appendTraceLine(call, out);
    return out;
}

TEST(TraceLine, IntegersHashesFloatsAndVectorsInCanonicalForm) {
    auto shoot = callOf("TASK_VEHICLE_SHOOT_AT_COORD");
    shoot.argCount = 5;
    shoot.slots = {4100, floatSlot(0.1f), floatSlot(-2.5f), floatSlot(1e-7f), floatSlot(1.0f)};
    EXPECT_EQ(line(shoot), "{\"frame\":7,\"tick\":4294967295,\"name\":\"TASK_VEHICLE_SHOOT_AT_COORD\",\"hash\":"
                           "\"0x5190796ED39C9B6D\",\"args\":[4100,0.1,-2.5,1e-07,1],\"result\":null}\n");

    auto pattern = callOf("SET_PED_FIRING_PATTERN");
    pattern.argCount = 2;
    pattern.slots = {0xFFFFFFFFull, 0x5D60E4E0ull};
    EXPECT_NE(line(pattern).find("\"args\":[-1,\"0x5D60E4E0\"]"), std::string::npos);

    auto camera = callOf("GET_GAMEPLAY_CAM_COORD");
    camera.result = {floatSlot(3.25f), floatSlot(-0.0f), floatSlot(16777216.0f)};
    EXPECT_NE(line(camera).find("\"args\":[],\"result\":[3.25,-0,16777216]}"), std::string::npos);

    auto exists = callOf("DOES_ENTITY_EXIST");
    exists.argCount = 1;
    exists.slots[0] = 0;
    exists.result[0] = 1;
    EXPECT_NE(line(exists).find("\"args\":[0],\"result\":1}"), std::string::npos);
}

TEST(TraceLine, ShortestFloatTextReadsBackToTheSameBits) {
    const float values[] = {0.003f, 0.007f, 1.0017f, 6.00125f, 123456.789f, -0.8f, 3.4028235e38f, 1.17549435e-38f};
    for (const float value : values) {
        auto distance = callOf("GET_DISTANCE_BETWEEN_COORDS");
        distance.result[0] = floatSlot(value);
        const std::string text = line(distance);
        const auto at = text.find("\"result\":") + 9;
        const float back = std::strtof(text.c_str() + at, nullptr);
        EXPECT_EQ(floatSlot(back), floatSlot(value)) << text;
    }
}

TEST(TraceLine, BitsOutsideTheLowHalfAndNonNumbersStayVisible) {
    auto health = callOf("SET_ENTITY_HEALTH");
    health.argCount = 4;
    health.slots = {0x1234ull, 0xFFFFFFFF0000012Cull, 0, 0};
    EXPECT_NE(line(health).find("\"args\":[4660,{\"raw\":\"0xFFFFFFFF0000012C\"},0,\"0x00000000\"]"), std::string::npos);

    auto tank = callOf("GET_VEHICLE_PETROL_TANK_HEALTH");
    tank.argCount = 1;
    tank.result[0] = 0x7FC00001u;
    EXPECT_NE(line(tank).find("\"result\":{\"nan\":\"0x7FC00001\"}"), std::string::npos);
}

TEST(TraceLine, TextByContentAndOutParametersByWhatTheyHoldAfterTheCall) {
    auto text = callOf("ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME");
    const char* caption = "Say \"hi\"\\\n";
    text.argCount = 1;
    text.slots[0] = reinterpret_cast<std::uintptr_t>(caption);
    text.texts = {caption};
    EXPECT_NE(line(text).find("\"args\":[\"Say \\\"hi\\\"\\\\\\u000a\"]"), std::string::npos);

    std::int32_t width = 1920, height = 1080;
    auto resolution = callOf("GET_SCREEN_RESOLUTION");
    resolution.argCount = 2;
    resolution.slots = {reinterpret_cast<std::uintptr_t>(&width), reinterpret_cast<std::uintptr_t>(&height)};
    EXPECT_NE(line(resolution).find("\"args\":[{\"out\":[1920]},{\"out\":[1080]}]"), std::string::npos);

    // The nearby-peds buffer: the two header words and two words per ped returned.
    std::int32_t buffer[102] = {};
    buffer[0] = 50;
    buffer[2] = 0x1001;
    buffer[4] = 0x1002;
    buffer[6] = 99;  // beyond the count: not shown
    auto nearby = callOf("GET_PED_NEARBY_PEDS");
    nearby.argCount = 3;
    nearby.slots = {0x1000, reinterpret_cast<std::uintptr_t>(buffer), 0xFFFFFFFFull};
    nearby.result[0] = 2;
    EXPECT_NE(line(nearby).find("\"args\":[4096,{\"out\":[50,0,4097,0,4098,0]},-1],\"result\":2}"), std::string::npos);

    nearby.slots[1] = 0;
    EXPECT_NE(line(nearby).find("\"args\":[4096,null,-1]"), std::string::npos);
}

}  // namespace
