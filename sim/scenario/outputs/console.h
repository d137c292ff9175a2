// What a run prints on the console: the narrated timeline, the summary, failures and progress.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "scenario/format/scenario.h"
#include "scenario/narration/tracker.h"
#include "scenario/run/run.h"

namespace scenario {

// "  12.345 s  menu     vehicle menu opened, highlight on Technical"
std::string formatLine(const NarrationLine& line);

// Quiet, it prints only the failures (on stderr) and the one-line result.
class Printer {
public:
    Printer(std::FILE* out, bool quiet, std::string program = "gunner-sim")
        : out_(out), quiet_(quiet), program_(std::move(program)) {}
    void header(const Scenario& scenario);
    void line(const NarrationLine& line);
    void summary(const RunResult& result);
    void failures(const RunResult& result);
    // "gunner-sim: demo.toml: PASSED, 7 of 7 expectations met", only when quiet.
    void result(const Scenario& scenario, const RunResult& result);

private:
    std::FILE* out_;
    bool quiet_;
    std::string program_;
    std::string file_;  // the scenario's, from header(), for the warnings of a quiet run
};

// A one-line progress display that rewrites itself; does nothing when disabled.
class Progress {
public:
    Progress(std::FILE* out, bool enabled) : out_(out), enabled_(enabled) {}
    void show(std::uint64_t elapsedMs, std::uint64_t endMs);
    void clear();

private:
    std::FILE* out_;
    bool enabled_;
    bool shown_ = false;
    int lastPercent_ = -1;
};

}  // namespace scenario
