// Console output of a run.
#include "scenario/outputs/console.h"

#include "scenario/format/clean_text.h"

namespace scenario {

std::string formatLine(const NarrationLine& line) {
    char prefix[48];
    std::snprintf(prefix, sizeof prefix, "%9.3f s  %-8s ", static_cast<double>(line.ms) / 1000.0,
                  std::string(kindName(line.kind)).c_str());
    return prefix + cleanText(line.text);
}

void Printer::header(const Scenario& scenario) {
    file_ = scenario.file;
    if (quiet_) return;
    std::fprintf(out_, "Scenario: %s (%s)\n", cleanText(scenario.name).c_str(), cleanText(scenario.file).c_str());
    if (!scenario.description.empty()) std::fprintf(out_, "  %s\n", cleanText(scenario.description).c_str());
    std::fprintf(out_, "  %.1f s of game time, %u ms frames, clock from %u\n\n",
                 static_cast<double>(scenario.endMs) / 1000.0, scenario.world.frameMs, scenario.world.startTick);
}

void Printer::line(const NarrationLine& line) {
    // A quiet run still names what the script refused: on standard error, with the failures.
    if (quiet_ && line.kind == NarrationKind::Warning)
        std::fprintf(stderr, "%s: %s: warning: %s\n", program_.c_str(), file_.c_str(), line.text.c_str());
    if (quiet_) return;
    std::fprintf(out_, "%s\n", formatLine(line).c_str());
}

void Printer::summary(const RunResult& result) {
    if (quiet_) return;
    std::size_t passedChecks = 0;
    for (const auto& check : result.checks) passedChecks += check.passed ? 1 : 0;
    std::fprintf(out_, "\nSummary\n");
    std::fprintf(out_, "  simulated time     %.3f s\n", static_cast<double>(result.simulatedMs) / 1000.0);
    std::fprintf(out_, "  frames             %llu\n", static_cast<unsigned long long>(result.frames));
    std::fprintf(out_, "  native calls       %llu\n", static_cast<unsigned long long>(result.nativeCalls));
    std::fprintf(out_, "  shot orders        %lld\n", static_cast<long long>(result.shotOrders));
    std::fprintf(out_, "  rounds fired       %lld (%lld by a shoot task lasting on)\n",
                 static_cast<long long>(result.roundsFired), static_cast<long long>(result.roundsWithoutOrder));
    std::fprintf(out_, "  wanted level       %d (the script last set %d)\n", result.wantedLevel,
                 result.scriptWantedLevel);
    std::fprintf(out_, "  attack mode        %d\n", result.attackMode);
    std::fprintf(out_, "  crew               %s\n", cleanText(result.crewState).c_str());
    std::fprintf(out_, "  expectations       %zu of %zu met\n", passedChecks, result.checks.size());
    std::fprintf(out_, "  simulation speed   %.0f frames per second (%.2f s of wall time)\n", result.framesPerSecond,
                 result.wallSeconds);
    if (result.derivationMismatches > 0) {
        std::fprintf(out_, "  note: the narration disagreed %llu times with the script's own state, first:\n",
                     static_cast<unsigned long long>(result.derivationMismatches));
        for (const auto& note : result.mismatchNotes) std::fprintf(out_, "    %s\n", cleanText(note).c_str());
    }
    if (!result.log.empty()) {
        std::fprintf(out_, "\nTobekGunner.log\n");
        const std::string log = cleanText(result.log);
        std::fwrite(log.data(), 1, log.size(), out_);
        if (log.back() != '\n') std::fputc('\n', out_);
    }
    std::fflush(out_);
}

void Printer::failures(const RunResult& result) {
    for (const auto& error : result.hostErrors)
        std::fprintf(stderr, "%s: host protocol error: %s\n", program_.c_str(), cleanText(error).c_str());
    for (const auto& check : result.checks) {
        if (check.passed) continue;
        const std::string when =
            check.groupAtMs ? "at " + std::to_string(*check.groupAtMs) + " ms" : std::string("at the end");
        std::fprintf(stderr, "%s: %s: expectation failed %s (checked at %llu ms): expected %s, found %s\n",
                     program_.c_str(), cleanText(describe(check.check.origin)).c_str(), when.c_str(),
                     static_cast<unsigned long long>(check.checkedAtMs), cleanText(check.expected).c_str(),
                     cleanText(check.actual).c_str());
    }
}

void Printer::result(const Scenario& scenario, const RunResult& result) {
    if (!quiet_) return;
    std::size_t met = 0;
    for (const auto& check : result.checks) met += check.passed ? 1 : 0;
    std::fprintf(out_, "%s: %s: %s, %zu of %zu expectations met\n", program_.c_str(), cleanText(scenario.file).c_str(),
                 result.passed() ? "PASSED" : "FAILED", met, result.checks.size());
    std::fflush(out_);
}

void Progress::show(std::uint64_t elapsedMs, std::uint64_t endMs) {
    if (!enabled_ || endMs == 0) return;
    const int percent = static_cast<int>(static_cast<std::uint64_t>(elapsedMs) * 100 / endMs);
    if (percent == lastPercent_) return;
    lastPercent_ = percent;
    constexpr int width = 30;
    const int filled = percent * width / 100;
    std::fprintf(out_, "\r[%.*s%*s] %3d%%  %.0f / %.0f s of game time", filled, "##############################",
                 width - filled, "", percent, static_cast<double>(elapsedMs) / 1000.0,
                 static_cast<double>(endMs) / 1000.0);
    std::fflush(out_);
    shown_ = true;
}

void Progress::clear() {
    if (!shown_) return;
    std::fprintf(out_, "\r%*s\r", 70, "");
    std::fflush(out_);
    shown_ = false;
    lastPercent_ = -1;
}

}  // namespace scenario
