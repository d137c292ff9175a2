// Scenario text written to break the tool: each case once crashed, hung, overflowed or grew
// without bound; now each gets a clear error or a correct run.
#include <gtest/gtest.h>

#include <string>

#include "host/sim_host.h"
#include "scenario/format/keys.h"
#include "scenario/format/kinds.h"
#include "scenario/format/parser.h"
#include "scenario/format/prescreen.h"
#include "scenario/report/report.h"
#include "scenario/run/run.h"
#include "script_link/script_module.h"
#include "world/entities.h"

namespace {

using scenario::parseScenario;
using scenario::ScenarioError;

// The error the text gets, or "" when it parses.
std::string errorOf(const std::string& text) {
    try {
        parseScenario(text, "hostile.toml");
    } catch (const ScenarioError& error) {
        return error.what();
    }
    return "";
}

std::string repeated(const std::string& part, std::size_t count, const std::string& separator) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += (i == 0 ? "" : separator) + part;
    return text;
}

TEST(HostileScenarioText, KeysTheTomlReaderCannotTakeGetAnErrorWithTheirPlace) {
    struct Case {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {"end = 1\n[.world]\n", "hostile.toml:2: TOML syntax error: expected a key"},
        {"end = 1\n[=]\n", "hostile.toml:2: TOML syntax error: expected a key"},
        {"end = 1\n[\xC3\xA9]\n", "hostile.toml:2: TOML syntax error: a key with a non-ASCII character"},
        {"\xC3\xA9 = 1\n", "hostile.toml:1: TOML syntax error: a key with a non-ASCII character"},
        {"end\xC3\xA9 = 1\n", "hostile.toml:1: TOML syntax error: a key with a non-ASCII character"},
        {"end = 1\nname = \xC3\xA9\n", "hostile.toml:2: TOML syntax error: a non-ASCII character outside a string"},
        {"end = 1\nx = { a = [1, 2\xC3\xA9] }\n", "hostile.toml:2: TOML syntax error: a non-ASCII character"},
        {"end = 1\nx = { .a = 1 }\n", "hostile.toml:2: TOML syntax error: expected a key"},
        {"end = 1\n[[expect]]\n\"\"\"a\"\"\" = 1\n", "hostile.toml:3: TOML syntax error: a key cannot be a multi-line"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_NE(errorOf(c.text).find(c.error), std::string::npos) << errorOf(c.text);
    }
}

TEST(HostileScenarioText, VeryLongKeysAndDeepNestingStopAtTheirLimitsBeforeRecursing) {
    // 20,000 parts once overflowed the stack inside the TOML reader.
    const std::string dotted = "end = 1\n" + repeated("a", 20000, ".") + " = 1\n";
    EXPECT_NE(errorOf(dotted).find("hostile.toml:2: TOML syntax error: a key of more than 32 dotted parts"),
              std::string::npos);
    const std::string header = "end = 1\n[" + repeated("b", 20000, ".") + "]\n";
    EXPECT_NE(errorOf(header).find("more than 32 dotted parts"), std::string::npos);
    const std::string inlineKey = "end = 1\nx = {" + repeated("c", 20000, ".") + " = 1}\n";
    EXPECT_NE(errorOf(inlineKey).find("more than 32 dotted parts"), std::string::npos);
    const std::string nested = "end = 1\nx = " + std::string(100000, '[') + "\n";
    EXPECT_NE(errorOf(nested).find("nested more than 64 deep"), std::string::npos);
    const std::string nestedTables = "end = 1\nx = " + repeated("{a =", 1000, " ") + "\n";
    EXPECT_NE(errorOf(nestedTables).find("nested more than 64 deep"), std::string::npos);

    // Just inside the limits the same shapes are read (and fail later, on their meaning).
    const std::string longest = "end = 1\n" + repeated("a", 32, ".") + " = 1\n";
    EXPECT_NE(errorOf(longest).find("unknown top-level field 'a'"), std::string::npos) << errorOf(longest);
    const std::string deepest = "end = 1\nx = " + std::string(64, '[') + std::string(64, ']') + "\n";
    EXPECT_NE(errorOf(deepest).find("unknown top-level field 'x'"), std::string::npos) << errorOf(deepest);
}

TEST(HostileScenarioText, TextOverTheSizeLimitIsRefusedWithTheLimitInTheMessage) {
    std::string text = "end = 1\n# ";
    text += std::string(scenario::maxScenarioBytes, 'x');
    EXPECT_NE(errorOf(text).find("hostile.toml: the scenario is larger than the limit of 16 MiB"), std::string::npos);
}

TEST(HostileScenarioText, ARunOfTooManyFramesIsRefusedUpFront) {
    // The longest end at one frame a second once wrapped the elapsed time and never ended.
    EXPECT_NE(errorOf("end = 4294967295\n[world]\nframe_ms = 1000\n")
                  .find("hostile.toml:1: end: the run would take 4294968 frames of 1000 ms; the limit is 1000000"),
              std::string::npos);
    EXPECT_EQ(errorOf("end = 999999000\n[world]\nframe_ms = 1000\n"), "");
    EXPECT_NE(errorOf("end = 16000000\n").find("the run would take 1000001 frames of 16 ms"), std::string::npos);
}

TEST(HostileScenarioText, ValidTomlThatLooksHostileInsideStringsAndCommentsStillReads) {
    const auto s = parseScenario(R"(# comment with é and [.world] and a.b.c.d
name = "é [.world] = \" { [ "
description = """
[=] é
multi "quoted" line"""
"end" = 1000 # é
'world'.frame_ms = 20
'world'.addon_models = [{ name = "odd model-1", kind = "ped" }]
[ world . "models" ]
'odd model-1' = 3
[[ expect ]]
status = '''[.x]
é'''
)",
                                 "ok.toml");
    EXPECT_EQ(s.name, "é [.world] = \" { [ ");
    EXPECT_EQ(s.endMs, 1000u);
    EXPECT_EQ(s.world.frameMs, 20u);
    EXPECT_EQ(s.world.models.back().name, "odd model-1");
    ASSERT_EQ(s.expectations.size(), 1u);
    EXPECT_EQ(s.expectations[0].checks[0].text, "[.x]\né");
}

TEST(HostileScenarioText, EveryEventKindKeepsItsOwnExtraFields) {
    // The table of event kinds once pointed at arrays that died after its initialiser.
    struct Case {
        std::string entry;
        std::string takes;
    };
    const Case cases[] = {
        {R"({ at = 1, tap = "e", seat = 1 })", "for a 'tap' event (it takes: hold)"},
        {R"({ at = 1, move = "player", hold = 1 })", "for a 'move' event (it takes: to, velocity)"},
        {R"({ at = 1, shoot = "thug", hold = 1 })", "for a 'shoot' event (it takes: target, damage)"},
        {R"({ at = 1, enter_vehicle = "crew", hold = 1 })", "for a 'enter_vehicle' event (it takes: seat)"},
        {R"({ at = 1, set_health = "thug", hold = 1 })", "for a 'set_health' event (it takes: health)"},
        {R"({ at = 1, press = "e", hold = 1 })", "for a 'press' event (it takes none)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        const std::string text = "end = 10\ntimeline = [" + c.entry +
                                 "]\n[[world.peds]]\nname = \"thug\"\nmodel = \"s_m_y_cop_01\"\nposition = [0, 0, 0]\n";
        EXPECT_NE(errorOf(text).find(c.takes), std::string::npos) << errorOf(text);
    }
    const auto s = parseScenario(R"(end = 10
timeline = [{ at = 1, tap = "e", hold = 7 }, { at = 2, move = "player", to = [1, 2, 3], velocity = [0, 1, 0] }]
)",
                                 "ok.toml");
    EXPECT_EQ(s.timeline[0].holdMs, 7u);
    EXPECT_TRUE(s.timeline[1].point && s.timeline[1].velocity);
}

// A run on a host the test keeps, to look at the world afterwards.
struct KeptRun {
    scenario::Scenario scenario;
    sim::SimHost host;
    scenario::RunResult result;

    explicit KeptRun(const std::string& text)
        : scenario(parseScenario(text, "hostile.toml")),
          host(sim::HostConfig{scenario.world.startTick, scenario.world.frameMs, false}) {
        scenario::ScenarioRun run(scenario, host, {});
        run.prepare();
        host.load(sim::linkedScript());
        result = run.run();
        host.stop();
    }
};

TEST(HostileScenarioRun, AHoldOfTheLongestTimeKeepsTheKeyDownToTheEnd) {
    // A hold of 2^32 - 1 ms once wrapped and released the key on the next frame.
    KeptRun kept(R"(end = 2000
timeline = [{ at = 0, tap = "f7", hold = 4294967295 }]
)");
    EXPECT_TRUE(kept.host.keyDown(*scenario::keyCode("f7")));
    EXPECT_GE(kept.result.simulatedMs, 2000u);
}

TEST(HostileScenarioRun, ShootingAPedOfTheLowestHealthLeavesItDownAtZero) {
    // The lowest 32-bit health minus a hit once overflowed.
    KeptRun kept(R"(end = 200
timeline = [
  { at = 0, set_health = "thug", health = -2147483648 },
  { at = 50, shoot = "cop", target = "thug", damage = 100000 },
]
[world]
peds = [
  { name = "thug", model = "s_m_y_cop_01", position = [10, 0, 0] },
  { name = "cop", model = "s_m_y_cop_01", position = [13, 0, 0] },
]
[[expect]]
ped_down = "thug"
ped_standing = "cop"
)");
    EXPECT_TRUE(kept.result.passed());
    const sim::SimEntity* thug = nullptr;
    for (const auto& [handle, entity] : kept.host.world().entities.entities) {
        if (entity.kind == sim::EntityKind::Ped && entity.position.x == 10.0f) thug = &entity;
    }
    ASSERT_NE(thug, nullptr);
    EXPECT_EQ(thug->health, 0);
    EXPECT_FALSE(thug->alive);
}

TEST(HostileScenarioRun, AGroupOfThousandsOfChecksIsEvaluatedOnceEachInItsOwnOrder) {
    // 4,000 names in one group once cost gigabytes: every result copied the whole group.
    const std::string names = repeated("\"thug\"", 4000, ", ");
    KeptRun kept(
        "end = 100\n[world]\npeds = [{ name = \"thug\", model = \"s_m_y_cop_01\", position = [0, 0, 0] }]\n"
        "[[expect]]\nat = 50\nped_standing = [" +
        names + "]\n[[expect]]\nat = 20\nped_down = \"thug\"\n");
    ASSERT_EQ(kept.result.checks.size(), 4001u);
    // The earlier time is checked first, whatever the order of the groups in the file.
    EXPECT_EQ(kept.result.checks[0].check.kind->key, "ped_down");
    EXPECT_EQ(kept.result.checks[0].groupAtMs, 20u);
    EXPECT_FALSE(kept.result.checks[0].passed);
    std::size_t asWritten = 0;
    for (std::size_t i = 1; i < kept.result.checks.size(); ++i) {
        const auto& check = kept.result.checks[i];
        asWritten += check.passed && check.groupAtMs == 50u && check.groupOrigin.line == 4 ? 1 : 0;
    }
    EXPECT_EQ(asWritten, 4000u);
}

TEST(HostileScenarioRun, TheReportOfAHugeScenarioStaysSmallEnoughToOpen) {
    // A million-entry timeline once made a report of over 100 MB.
    std::string text = "end = 23000\ntimeline = [\n";
    for (int i = 0; i < 22000; ++i) text += "{ at = " + std::to_string(i) + ", clear_wanted = true },\n";
    text += "]\n[world]\npeds = [\n";
    for (int i = 0; i < 250; ++i) {
        text += "{ name = \"p" + std::to_string(i) + "\", model = \"s_m_y_cop_01\", position = [" + std::to_string(i) +
                ", 50, 0] },\n";
    }
    text += "]\n[[expect]]\nped_standing = [" + repeated("\"p1\"", 2500, ", ") + "]\n";
    const auto loaded = parseScenario(text, "huge.toml");
    scenario::RunOptions options;
    options.collectReport = true;
    const auto result = scenario::runScenario(loaded, sim::linkedScript(), options);
    EXPECT_GE(result.narration.size(), 22000u);
    EXPECT_EQ(result.pedNames.size(), scenario::RunResult::maxMappedPeds);
    EXPECT_EQ(result.samples.back().peds.size(), scenario::RunResult::maxMappedPeds);
    const std::string html = scenario::renderReport(loaded, result);
    EXPECT_NE(html.find("timeline entries left out"), std::string::npos);
    EXPECT_NE(html.find("The first 2000 checks that held and that failed of 2500"), std::string::npos);
    std::size_t items = 0;
    for (auto at = html.find("<li data-kind"); at != std::string::npos; at = html.find("<li data-kind", at + 1))
        ++items;
    EXPECT_EQ(items, 20000u);  // the first and the last entries
    EXPECT_LT(html.size(), 4u << 20);
}

}  // namespace
