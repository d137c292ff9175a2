// The tools' shared command-line reading: numbers are decimal digits in range or refused with
// status 2 and a message naming the option; help stops the program with status 0.
#include "command_line.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct Parsed {
    int status = 0;
    std::uint32_t value = 7;
    std::string errors;
};

Parsed parseValue(const std::string& text, std::uint64_t least = 1, std::uint64_t most = 1000) {
    Parsed parsed;
    CLI::App app{"test", "tool"};
    app.add_option("--ms", parsed.value)->transform(tools::wholeNumber(least, most));
    std::vector<std::string> words = {"tool", "--ms", text};
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    testing::internal::CaptureStderr();
    parsed.status = tools::parseCommandLine(app, static_cast<int>(argv.size()), argv.data());
    parsed.errors = testing::internal::GetCapturedStderr();
    return parsed;
}

TEST(CommandLine, NumbersAreReadAsDecimalDigitsWithinTheirRange) {
    struct Case {
        const char* text;
        std::uint32_t value;
    };
    for (const Case& c : {Case{"1", 1}, Case{"1000", 1000}, Case{"010", 10}, Case{"0000250", 250}}) {
        const Parsed parsed = parseValue(c.text);
        EXPECT_EQ(parsed.status, -1) << c.text << ": " << parsed.errors;
        EXPECT_EQ(parsed.value, c.value) << c.text;
        EXPECT_EQ(parsed.errors, "") << c.text;
    }
    const Parsed widest = parseValue("4294967295", 0, UINT32_MAX);
    EXPECT_EQ(widest.status, -1);
    EXPECT_EQ(widest.value, UINT32_MAX);
}

TEST(CommandLine, BadNumbersAreRefusedWithStatusTwoAndLeaveTheValueAlone) {
    for (const char* text : {"0", "1001", "-1", "0x10", "1e3", "12ms", "", " 5", "+5", "99999999999999999999999"}) {
        const Parsed parsed = parseValue(text);
        EXPECT_EQ(parsed.status, 2) << "'" << text << "'";
        EXPECT_EQ(parsed.value, 7u) << "'" << text << "'";
        EXPECT_EQ(parsed.errors, "tool: error: --ms: '" + std::string(text) +
                                     "' is not a whole number from 1 to 1000 (tool --help lists the options)\n");
    }
    // A digit alone above the upper bound, and a value one past the largest the type holds.
    EXPECT_EQ(parseValue("5", 0, 2).status, 2);
    EXPECT_EQ(parseValue("4294967296", 0, UINT32_MAX).status, 2);
}

TEST(CommandLine, HelpStopsWithStatusZeroAndAnUnknownOptionWithStatusTwo) {
    CLI::App app{"test", "tool"};
    std::vector<std::string> help = {"tool", "--help"};
    std::vector<char*> helpArgv = {help[0].data(), help[1].data()};
    testing::internal::CaptureStdout();
    EXPECT_EQ(tools::parseCommandLine(app, 2, helpArgv.data()), 0);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Usage: tool"), std::string::npos);

    CLI::App other{"test", "tool"};
    std::vector<std::string> unknown = {"tool", "--frames"};
    std::vector<char*> unknownArgv = {unknown[0].data(), unknown[1].data()};
    testing::internal::CaptureStderr();
    EXPECT_EQ(tools::parseCommandLine(other, 2, unknownArgv.data()), 2);
    EXPECT_EQ(testing::internal::GetCapturedStderr().rfind("tool: error: ", 0), 0u);
}

// A path that starts with a slash is a path, also where CLI11 would take "/x" for an option.
TEST(CommandLine, APathStartingWithASlashIsAValue) {
    CLI::App app{"test", "tool"};
    std::string path;
    app.add_option("scenario", path)->required();
    std::vector<std::string> words = {"tool", "/work/scenarios/demo.toml"};
    std::vector<char*> argv = {words[0].data(), words[1].data()};
    app.allow_windows_style_options(true);
    EXPECT_EQ(tools::parseCommandLine(app, 2, argv.data()), -1);
    EXPECT_EQ(path, "/work/scenarios/demo.toml");
}

}  // namespace
