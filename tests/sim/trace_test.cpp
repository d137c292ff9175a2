// The JSON Lines trace: one line per call, values decoded by kind, no pointer values written.
#include "host/trace.h"

#include "host/native_table.h"
#include "host/sim_host.h"
#include "host/slots.h"
#include "natives/handlers.h"
#include "runtime/host.h"

#include "support/script_harness.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

unsigned long long pointerSlot(const void* pointer) { return reinterpret_cast<std::uintptr_t>(pointer); }

class TraceOfTheScript : public test::ScriptTest {};

TEST_F(TraceOfTheScript, StartUpHasTheResolutionAndTheDictionaryName) {
    auto out = std::make_shared<std::ostringstream>();
    sim::traceCalls(host(), out);
    host().world().screen.width = 800;
    host().world().screen.height = 600;
    host().runFrames(3);

    const auto lines = linesOf(out->str());
    ASSERT_EQ(lines.size(), host().calls().size());
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], R"({"frame":1,"tick":100000,"name":"GET_SCREEN_RESOLUTION","hash":"0x888D57E407E63624",)"
                        R"("args":[{"out":800},{"out":600}],"result":null})");
    EXPECT_EQ(lines[1],
              R"({"frame":1,"tick":100000,"name":"REQUEST_STREAMED_TEXTURE_DICT","hash":"0xDFA2EF8E04127DD5",)"
              R"("args":["Darts",0],"result":null})");
}

TEST(Trace, ArgumentsAreDecodedByTheirKindAndBadSlotsShownRaw) {
    sim::SimHost host;
    host.setHandler(sim::NativeId::CreateVehicle, [](sim::NativeContext& call) { call.returnInt(-7); });
    nativeInit(0xAF35D0D2583051B0ull);  // CREATE_VEHICLE: hash, four floats, three BOOLs
    nativePush64(0xB6410173u);
    nativePush64(sim::slotFromFloat(-0.5f));
    nativePush64(sim::slotFromFloat(0.1f));
    nativePush64(sim::slotFromFloat(1e10f));
    nativePush64(sim::slotFromFloat(-0.0f));
    nativePush64(1);
    nativePush64(0);
    nativePush64(0x100000001ull);  // upper half set: not a valid BOOL slot
    nativeCall();
    nativeInit(0x7239B21A38F536BAull);  // DOES_ENTITY_EXIST
    nativePush64(0xFFFFFFFFull);
    nativeCall();

    ASSERT_EQ(host.calls().size(), 2u);
    EXPECT_EQ(sim::traceLine(host.calls()[0]),
              R"({"frame":0,"tick":100000,"name":"CREATE_VEHICLE","hash":"0xAF35D0D2583051B0",)"
              R"("args":[3057713523,-0.5,0.1,1e+10,-0,1,0,{"raw":"0x0000000100000001"}],"result":-7})");
    EXPECT_EQ(sim::traceLine(host.calls()[1]),
              R"({"frame":0,"tick":100000,"name":"DOES_ENTITY_EXIST","hash":"0x7239B21A38F536BA",)"
              R"("args":[-1],"result":0})");
}

TEST(Trace, TextIsWrittenAsJsonStringsAndOutParametersAsWhatTheHostWrote) {
    sim::SimHost host;
    auto out = std::make_shared<std::ostringstream>();
    sim::traceCalls(host, out);

    const char* text = "say \"hi\"\\\n\xE9";
    nativeInit(0x25FBB336DF1804CBull);  // BEGIN_TEXT_COMMAND_DISPLAY_TEXT
    nativePush64(pointerSlot(text));
    nativeCall();
    nativeInit(0x25FBB336DF1804CBull);
    nativePush64(0);
    nativeCall();

    std::int32_t width = 0;
    std::int32_t height = 0;
    host.world().screen.width = 1920;
    host.world().screen.height = 1080;
    nativeInit(0x888D57E407E63624ull);  // GET_SCREEN_RESOLUTION
    nativePush64(pointerSlot(&width));
    nativePush64(0);
    nativeCall();

    const auto lines = linesOf(out->str());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0],
              R"({"frame":0,"tick":100000,"name":"BEGIN_TEXT_COMMAND_DISPLAY_TEXT","hash":"0x25FBB336DF1804CB",)"
              R"("args":["say \"hi\"\\\u000A\u00E9"],"result":null})");
    EXPECT_NE(lines[1].find(R"("args":[null])"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find(R"("args":[{"out":1920},{"out":null}])"), std::string::npos) << lines[2];
    EXPECT_EQ(height, 0);
}

TEST(Trace, ResultsAreDecodedByTheNativesResultKind) {
    sim::SimHost host;
    host.setHandler(sim::NativeId::GetEntityCoords,
                    [](sim::NativeContext& call) { call.returnVectorParts(1.5f, -2.25f, 1e-7f); });
    host.setHandler(sim::NativeId::GetDistanceBetweenCoords,
                    [](sim::NativeContext& call) { call.returnFloat(12.75f); });
    host.setHandler(sim::NativeId::GetHashKey,
                    [](sim::NativeContext& call) { call.returnInt(static_cast<std::int32_t>(0xFFFFFFFEu)); });

    nativeInit(0x3FEF770D40960D5Aull);  // GET_ENTITY_COORDS
    nativePush64(42);
    nativePush64(1);
    nativeCall();
    nativeInit(0xF1B760881820C952ull);  // GET_DISTANCE_BETWEEN_COORDS
    for (int i = 0; i < 6; ++i) nativePush64(sim::slotFromFloat(static_cast<float>(i)));
    nativePush64(1);
    nativeCall();
    nativeInit(0xD24D37CC275948CCull);  // GET_HASH_KEY
    nativePush64(pointerSlot("adder"));
    nativeCall();

    ASSERT_EQ(host.calls().size(), 3u);
    EXPECT_NE(sim::traceLine(host.calls()[0]).find(R"("args":[42,1],"result":[1.5,-2.25,1e-07]})"), std::string::npos)
        << sim::traceLine(host.calls()[0]);
    EXPECT_NE(sim::traceLine(host.calls()[1]).find(R"("args":[0,1,2,3,4,5,1],"result":12.75})"), std::string::npos)
        << sim::traceLine(host.calls()[1]);
    EXPECT_NE(sim::traceLine(host.calls()[2]).find(R"("args":["adder"],"result":4294967294})"), std::string::npos)
        << sim::traceLine(host.calls()[2]);
}

TEST(Trace, AnUnknownNativeShowsEverySlotRaw) {
    sim::SimHost host;
    nativeInit(0x1122334455667788ull);
    nativePush64(0xDEADBEEFull);
    nativeCall();
    ASSERT_EQ(host.calls().size(), 1u);
    EXPECT_EQ(sim::traceLine(host.calls()[0]),
              R"({"frame":0,"tick":100000,"name":"<unknown>","hash":"0x1122334455667788",)"
              R"("args":[{"raw":"0x00000000DEADBEEF"}],)"
              R"("result":["0x0000000000000000","0x0000000000000000","0x0000000000000000"]})");
    EXPECT_EQ(host.errors().size(), 1u);
}

}  // namespace
