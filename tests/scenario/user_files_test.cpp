// A user's files and terminal are safe from what a scenario holds: text shown clean, settings kept
// inside their folder and their INI layout, outputs that cannot land on inputs, bounded sizes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "scenario/format/clean_text.h"
#include "scenario/format/parser.h"
#include "scenario/format/prescreen.h"
#include "scenario/outputs/output_file.h"
#include "scenario/outputs/path_safety.h"
#include "scenario/outputs/run_records.h"
#include "scenario/run/run.h"
#include "scenario/run/script_folder.h"
#include "scenario/run/trace.h"
#include "script_link/script_module.h"

namespace {

namespace fs = std::filesystem;
using scenario::cleanText;

std::string errorOf(const std::string& text, const std::string& file = "hostile.toml") {
    try {
        scenario::parseScenario(text, file);
    } catch (const scenario::ScenarioError& error) {
        return error.what();
    }
    return "";
}

// A fresh folder under the build's temporary folder, removed with the fixture.
class UserFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("tg-user-files-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder / "scenes");
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string at(const std::string& name) const { return (folder / name).string(); }
    void write(const std::string& name, const std::string& text) const { std::ofstream(folder / name) << text; }
    fs::path folder;
};

TEST(CleanText, ControlCharactersAreEscapedAndBadUtf8Replaced) {
    EXPECT_EQ(cleanText("red \x1b[31mname"), "red \\x1b[31mname");
    EXPECT_EQ(cleanText(std::string("cut\0here", 8)), "cut\\x00here");
    EXPECT_EQ(cleanText("back\rline\x7f"), "back\\x0dline\\x7f");
    EXPECT_EQ(cleanText("c1 \xC2\x9B"), "c1 \\u009b");
    EXPECT_EQ(cleanText("bad \xFF byte"), "bad \xEF\xBF\xBD byte");
    EXPECT_EQ(cleanText("cut \xE2\x82"), "cut \xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(cleanText("overlong \xC0\xAF"), "overlong \xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(cleanText("surrogate \xED\xA0\x80"), "surrogate \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(cleanText("non-character \xEF\xBF\xBF"), "non-character \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(CleanText, ValidTextWithTabsAndLineBreaksIsKept) {
    const std::string text = "Tobek — é 😀\tcolumn\nnext line";
    EXPECT_TRUE(scenario::isCleanText(text));
    EXPECT_EQ(cleanText(text), text);
}

TEST(CleanText, JsonAndJunitCarryNoRawControlOrInvalidBytes) {
    scenario::Scenario s = scenario::parseScenario(
        "name = \"esc \\u001b[31m nul \\u0000 end\"\nend = 100\n[[expect]]\nwanted_level = 0\n", "odd\x01\xFF.toml");
    const scenario::RunResult result = scenario::runScenario(s, sim::linkedScript(), {});
    for (const std::string& text : {scenario::runJson(s, result), scenario::junitXml(s, result)}) {
        SCOPED_TRACE(text.substr(0, 200));
        EXPECT_EQ(text.find('\x1b'), std::string::npos);
        EXPECT_EQ(text.find('\x01'), std::string::npos);
        EXPECT_EQ(text.find('\0'), std::string::npos);
        EXPECT_TRUE(scenario::isCleanText(text));
        EXPECT_NE(text.find("\\x1b[31m"), std::string::npos);
    }
}

TEST(SettingsTable, TextThatWouldChangeTheIniLayoutIsRefusedWithItsLine) {
    struct Case {
        std::string settings;
        std::string error;
    };
    const Case cases[] = {
        {"[settings.gunner]\nmodel = \"a\\n[gunner]\\nmodel = b\"\n", "hostile.toml:3: settings.gunner.model"},
        {"[settings.gunner]\nmodel = \"a\\rb\"\n", "line break or other control character"},
        {"[settings.\"gunner]x\"]\nmodel = \"a\"\n",
         "hostile.toml:2: settings.gunner]x: a settings section may not hold"},
        {"[settings.gunner]\n\"model = x\" = \"a\"\n", "hostile.toml:3: settings.gunner.model = x: a settings key"},
        {"[settings.gunner]\n\"[keys]\" = \"a\"\n", "a leading '[', ';' or '#'"},
        {"[settings.gunner]\n\";model\" = \"a\"\n", "a leading '[', ';' or '#'"},
        {"[settings.\"a\\nb\"]\nmodel = \"a\"\n", "a settings section may not hold a line break"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings);
        const std::string error = errorOf("end = 10\n" + c.settings);
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
    const auto fine =
        scenario::parseScenario("end = 10\n[settings.gunner]\nmodel = \"s_m_y_swat_01 ; a; b]\"\n", "a.toml");
    EXPECT_EQ(*fine.settingsText, "[gunner]\nmodel = s_m_y_swat_01 ; a; b]\n");
}

TEST_F(UserFiles, SettingsFileStaysInTheScenariosFolderAndIsARegularFile) {
    write("outside.ini", "[gunner]\nmodel = secret\n");
    write("scenes/mine.ini", "[gunner]\nmodel = s_m_y_swat_01\n");
    fs::create_directories(folder / "scenes/sub");
    fs::create_symlink(folder / "outside.ini", folder / "scenes/leak.ini");
    const std::string scene = at("scenes/a.toml");
    const auto errorWith = [&](const std::string& name) {
        return errorOf("end = 10\nsettings_file = \"" + name + "\"\n", scene);
    };
    EXPECT_NE(errorWith(at("outside.ini")).find("is an absolute path"), std::string::npos);
    EXPECT_NE(errorWith("../outside.ini").find("may not leave the scenario's folder"), std::string::npos);
    EXPECT_NE(errorWith("sub/../../outside.ini").find("may not leave"), std::string::npos);
    EXPECT_NE(errorWith("leak.ini").find("through a link"), std::string::npos);
    EXPECT_NE(errorWith("sub").find("is not a regular file"), std::string::npos);
    EXPECT_NE(errorWith("").find("settings_file: empty"), std::string::npos);
    EXPECT_NE(errorWith("none.ini").find("no such file"), std::string::npos);
    const auto good = scenario::parseScenario("end = 10\nsettings_file = \"mine.ini\"\n", scene);
    EXPECT_EQ(*good.settingsText, "[gunner]\nmodel = s_m_y_swat_01\n");
    EXPECT_TRUE(fs::equivalent(good.settingsPath, folder / "scenes/mine.ini"));
}

TEST_F(UserFiles, OutputsThatWouldReplaceAnInputOrEachOtherAreRefused) {
    using scenario::RunPath;
    write("a.toml", "end = 1\n");
    fs::create_symlink(folder / "a.toml", folder / "link.toml");
    fs::create_hard_link(folder / "a.toml", folder / "hard.toml");
    fs::create_symlink(folder / "nowhere", folder / "dangling");
    fs::create_symlink(folder / "loop2", folder / "loop1");
    fs::create_symlink(folder / "loop1", folder / "loop2");
    const RunPath scene{at("a.toml"), "the scenario", false};
    const auto reason = [&](std::vector<RunPath> outputs, const std::string& report = "") {
        outputs.insert(outputs.begin(), scene);
        return scenario::unsafeOutputReason(outputs, report);
    };
    EXPECT_NE(reason({{at("a.toml"), "the trace", true}}).find("would be written over the scenario"),
              std::string::npos);
    EXPECT_NE(reason({{at("link.toml"), "the JSON summary", true}}).find("over the scenario"), std::string::npos);
    EXPECT_NE(reason({{at("hard.toml"), "the JSON summary", true}}).find("over the scenario"), std::string::npos);
    EXPECT_NE(reason({{at("x.json"), "the trace", true}, {at("./x.json"), "the JSON summary", true}})
                  .find("the trace " + at("x.json") + " would be written over the JSON summary"),
              std::string::npos);
    EXPECT_NE(
        reason({{at("r/index.html"), "the report", true}, {at("r/index.html"), "the JSON summary", true}}, at("r"))
            .find("may not be inside the report folder"),
        std::string::npos);
    EXPECT_NE(reason({{at("dangling"), "the trace", true}}).find("a link to nothing"), std::string::npos);
    EXPECT_NE(reason({{at("loop1"), "the trace", true}}).find("a link to nothing"), std::string::npos);
    EXPECT_NE(reason({{"-", "the trace", true}, {"-", "the JSON summary", true}}).find("written over"),
              std::string::npos);
    EXPECT_EQ(reason({{"/dev/null", "the trace", true}, {"/dev/null", "the JSON summary", true}}), "");
    EXPECT_EQ(reason({{at("t.jsonl"), "the trace", true}, {at("s.json"), "the JSON summary", true}}), "");
    EXPECT_EQ(scenario::unsafeOutputReason({{"-", "the scenario", false}, {"-", "the trace", true}}, ""), "");
}

TEST_F(UserFiles, AnOutputNameAtTheLengthLimitStillGetsItsTemporaryFile) {
    const std::string path = at(std::string(255, 'n'));
    {
        scenario::PendingFile file(path);
        ASSERT_TRUE(file.ok()) << file.problem();
        std::fputs("written", file.file());
        ASSERT_TRUE(file.commit()) << file.failure();
    }
    std::ifstream in(path);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "written");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);  // scenes and the file
}

TEST_F(UserFiles, ABadTemporaryFolderIsAnErrorWithItsReason) {
    const char* saved = std::getenv("TMPDIR");
    const std::string before = saved == nullptr ? "" : saved;
    const auto tryWith = [&](const std::string& tmp) -> std::string {
        ::setenv("TMPDIR", tmp.c_str(), 1);
        try {
            scenario::ScriptFolder made(std::string("[gunner]\n"));
        } catch (const scenario::ScriptFolderError& error) {
            return error.what();
        }
        return "";
    };
    write("plain", "x");
    const std::string missing = tryWith(at("missing"));
    const std::string notFolder = tryWith(at("plain"));
    if (saved == nullptr) {
        ::unsetenv("TMPDIR");
    } else {
        ::setenv("TMPDIR", before.c_str(), 1);
    }
    EXPECT_NE(missing.find("no usable temporary folder (TMPDIR)"), std::string::npos) << missing;
    EXPECT_NE(notFolder.find("TMPDIR"), std::string::npos) << notFolder;
}

TEST(ScenarioCaps, HugeListsAreRefusedBeforeTheyAreBuilt) {
    std::string items;
    for (std::size_t i = 0; i <= scenario::maxArrayItems; ++i) items += "1,";
    EXPECT_NE(errorOf("end = 1\nextra = [" + items + "]\n").find("an array of more than 100000 items"),
              std::string::npos);
    std::string headers;
    for (std::size_t i = 0; i <= scenario::maxArrayItems; ++i) headers += "[[x]]\n";
    EXPECT_NE(errorOf("end = 1\n" + headers).find("an array of more than 100000 tables"), std::string::npos);
    std::string entries;
    for (std::size_t i = 0; i <= scenario::maxTimelineEntries; ++i) entries += "{at=1,tap=\"e\"},";
    EXPECT_NE(errorOf("end = 10\ntimeline = [" + entries + "]\n").find("timeline: 50001 entries; the limit is 50000"),
              std::string::npos);
    std::string peds;
    for (std::size_t i = 0; i <= scenario::maxWorldPeds; ++i) {
        peds += "{name=\"p" + std::to_string(i) + "\",model=\"a_m_y_hipster_01\",position=[0,0,0]},";
    }
    EXPECT_NE(errorOf("end = 10\n[world]\npeds = [" + peds + "]\n").find("world.peds: 501 entries"), std::string::npos);
}

TEST(ScenarioCaps, AClosingBraceWhereAnArrayItemBelongsIsASyntaxError) {
    for (const std::string text : {"end = 1\nx = [}\n", "end = 1\nx = [1, }\n", "end = 1\nx = { a = [ }\n"}) {
        SCOPED_TRACE(text);
        EXPECT_NE(errorOf(text).find("hostile.toml:2: TOML syntax error: expected a value or ']', found '}'"),
                  std::string::npos)
            << errorOf(text);
    }
}

TEST(ScenarioNames, NoneIsNotAPedNameAndTheScreenMustHoldTheLayout) {
    EXPECT_NE(errorOf("end = 10\n[[world.peds]]\nname = \"none\"\nmodel = \"a_m_y_hipster_01\"\nposition = [0,0,0]\n")
                  .find("'none' is reserved"),
              std::string::npos);
    EXPECT_NE(errorOf("end = 10\n[world]\nscreen = [1280, 40]\n")
                  .find("a screen 40 pixels high is too small for the script's menu and status line (at least 240)"),
              std::string::npos);
    EXPECT_NE(errorOf("end = 10\n[world]\nscreen = [100, 720]\n").find("100 pixels wide is too small"),
              std::string::npos);
    EXPECT_EQ(errorOf("end = 10\n[world]\nscreen = [320, 240]\n"), "");
}

TEST(ScenarioNames, OnTheSmallestScreenTheNarrationAgreesWithTheScript) {
    const auto s = scenario::parseScenario(
        "end = 3000\n[world]\nscreen = [320, 240]\n[[timeline]]\nat = 200\ntap = \"ctrl+i\"\n[[timeline]]\n"
        "at = 600\ntap = \"enter\"\n[[expect]]\nat = 2000\nstatus = \"Technical vehicle created.\"\n",
        "small.toml");
    const auto result = scenario::runScenario(s, sim::linkedScript(), {});
    EXPECT_TRUE(result.passed());
    EXPECT_EQ(result.derivationMismatches, 0u);
}

TEST(TraceCap, ATraceStopsAtItsLimitWithALastLineSayingSo) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    constexpr std::uint64_t limit = 20000;
    scenario::TraceWriter writer(file, limit);
    scenario::RunOptions options;
    options.trace = &writer;
    const auto s = scenario::parseScenario("end = 2000\ntimeline = [ { at = 100, tap = \"ctrl+i\" } ]\n", "cap.toml");
    const auto result = scenario::runScenario(s, sim::linkedScript(), options);
    writer.writeRecord("{\"summary\":1}");
    writer.finish();
    ASSERT_TRUE(writer.flush());
    EXPECT_TRUE(writer.cut());
    const long size = std::ftell(file);
    std::rewind(file);
    std::string last, line;
    std::uint64_t calls = 0;
    char buffer[8192];
    while (std::fgets(buffer, sizeof buffer, file) != nullptr) {
        line = buffer;
        if (line.rfind("{\"frame\":", 0) == 0) ++calls;
        last = line;
    }
    std::fclose(file);
    EXPECT_LE(static_cast<std::uint64_t>(size), limit + 200);
    EXPECT_GT(calls, 10u);
    EXPECT_LT(calls, result.nativeCalls);
    EXPECT_EQ(last, scenario::traceCutLine(limit) + "\n");
}

}  // namespace
