// Replays the scenario fuzzer's seeds (the bundled scenarios, the documentation's examples) and
// every saved finding through the same fuzz case, without libFuzzer.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "scenario_case.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> filesIn(const fs::path& dir) {
    std::vector<fs::path> paths;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') paths.push_back(entry.path());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::string readText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string failuresOf(const fuzz::ScenarioCaseOutcome& outcome) {
    std::string text;
    for (const auto& failure : outcome.failures) text += "\n  " + failure;
    return text;
}

TEST(ScenarioFuzzReplay, EverySeedReadsAndRunsItsShortRunConsistently) {
    std::vector<fs::path> seeds = filesIn(fs::path(TG_FUZZ_DIR) / "scenario-corpus");
    const auto bundled = filesIn(fs::path(TG_FUZZ_DIR).parent_path() / "scenarios");
    seeds.insert(seeds.end(), bundled.begin(), bundled.end());
    ASSERT_GE(seeds.size(), 10u);
    for (const auto& path : seeds) {
        SCOPED_TRACE(path.filename().string());
        const auto outcome = fuzz::runScenarioCase(readText(path));
        EXPECT_TRUE(outcome.parsed) << outcome.error;
        EXPECT_TRUE(outcome.failures.empty()) << failuresOf(outcome);
        EXPECT_GE(outcome.frames, 1u);
        EXPECT_LE(outcome.frames, fuzz::maxScenarioCaseFrames);
        EXPECT_GT(outcome.traceBytes, 0u);
        EXPECT_GT(outcome.reportBytes, 0u);
    }
}

TEST(ScenarioFuzzReplay, EverySavedFindingIsRefusedWithAMessageOrRunsClean) {
    const auto findings = filesIn(fs::path(TG_FUZZ_DIR) / "scenario-regressions");
    ASSERT_GE(findings.size(), 15u);
    std::size_t refused = 0;
    for (const auto& path : findings) {
        SCOPED_TRACE(path.filename().string());
        const auto outcome = fuzz::runScenarioCase(readText(path));
        EXPECT_TRUE(outcome.parsed || outcome.error.rfind("fuzz.toml:", 0) == 0) << outcome.error;
        EXPECT_TRUE(outcome.failures.empty()) << failuresOf(outcome);
        refused += outcome.parsed ? 0 : 1;
    }
    // The key, nesting, non-ASCII, run-length and misplaced-brace findings are refused; the rest run.
    EXPECT_EQ(refused, 12u);
}

}  // namespace
