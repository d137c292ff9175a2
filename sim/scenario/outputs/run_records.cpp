// JSON and JUnit XML records of a run.
#include "scenario/outputs/run_records.h"

#include <cstdio>

#include "scenario/format/clean_text.h"
#include "scenario/report/report.h"

namespace scenario {

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : cleanText(text)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

namespace {

std::size_t metCount(const RunResult& result) {
    std::size_t met = 0;
    for (const auto& check : result.checks) met += check.passed ? 1 : 0;
    return met;
}

std::string field(const char* name, const std::string& json) { return std::string("\"") + name + "\":" + json; }

template <typename Number>
std::string field(const char* name, Number value) {
    return field(name, std::to_string(value));
}

// The fields both the Linux and the Windows host produce alike.
std::string sharedSummary(const RunResult& result) {
    return "{" + field("result", jsonString(result.passed() ? "PASSED" : "FAILED")) + "," +
           field("expectations", result.checks.size()) + "," + field("met", metCount(result)) + "," +
           field("host_errors", result.hostErrors.size()) + "," + field("simulated_ms", result.simulatedMs) + "," +
           field("frames", result.frames) + "," + field("native_calls", result.nativeCalls) + "," +
           field("shot_orders", result.shotOrders) + "," + field("rounds_fired", result.roundsFired) + "," +
           field("rounds_without_order", result.roundsWithoutOrder) + "," + field("wanted_level", result.wantedLevel) +
           "," + field("attack_mode", result.attackMode) + "," + field("crew", jsonString(result.crewState)) + "}";
}

std::string whenText(const CheckResult& check) {
    return check.groupAtMs ? "at " + std::to_string(*check.groupAtMs) + " ms" : std::string("at the end");
}

std::string checkJson(const CheckResult& check) {
    return "{" + field("where", jsonString(describe(check.check.origin))) + "," +
           field("when", jsonString(whenText(check))) + "," + field("checked_at_ms", check.checkedAtMs) + "," +
           field("passed", std::string(check.passed ? "true" : "false")) + "," +
           field("expected", jsonString(check.expected)) + "," + field("found", jsonString(check.actual)) + "}";
}

std::string lineJson(const NarrationLine& line) {
    return "{" + field("ms", line.ms) + "," + field("frame", line.frame) + "," +
           field("kind", jsonString(std::string(kindName(line.kind)))) + "," + field("text", jsonString(line.text)) +
           "}";
}

template <typename Item, typename Format>
std::string jsonArray(const std::vector<Item>& items, Format format) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i == 0 ? "\n  " : ",\n  ") + format(items[i]);
    return out + (items.empty() ? "]" : "\n]");
}

}  // namespace

std::string traceSummaryLine(const RunResult& result) { return "{" + field("summary", sharedSummary(result)) + "}"; }

std::string runJson(const Scenario& scenario, const RunResult& result) {
    std::string out = "{\n";
    out += field("scenario", "{" + field("name", jsonString(scenario.name)) + "," +
                                 field("file", jsonString(scenario.file)) + "}") +
           ",\n";
    out += field("summary", sharedSummary(result)) + ",\n";
    out += field("disagreements", result.derivationMismatches) + ",\n";
    out += field("host_errors", jsonArray(result.hostErrors, jsonString)) + ",\n";
    out += field("expectations", jsonArray(result.checks, checkJson)) + ",\n";
    out += field("narration", jsonArray(result.narration, lineJson)) + "\n}\n";
    return out;
}

std::string junitSuite(const Scenario& scenario, const RunResult& result) {
    const std::size_t failures = result.checks.size() - metCount(result);
    const std::string suite = escapeHtml(scenario.name.empty() ? scenario.file : scenario.name);
    std::string xml = "<testsuite name=\"" + suite + "\" tests=\"" +
                      std::to_string(result.checks.size() + (result.hostErrors.empty() ? 0 : 1)) + "\" failures=\"" +
                      std::to_string(failures) + "\" errors=\"" + std::to_string(result.hostErrors.empty() ? 0 : 1) +
                      "\" time=\"" + std::to_string(result.wallSeconds) + "\">\n";
    for (const auto& check : result.checks) {
        const std::string name =
            escapeHtml(describe(check.check.origin) + ": " + check.expected + " " + whenText(check));
        xml += "  <testcase classname=\"" + escapeHtml(scenario.file) + "\" name=\"" + name + "\" time=\"0\"";
        if (check.passed) {
            xml += "/>\n";
            continue;
        }
        const std::string message = "expected " + check.expected + ", found " + check.actual + " (checked at " +
                                    std::to_string(check.checkedAtMs) + " ms)";
        xml += ">\n    <failure message=\"" + escapeHtml(message) + "\" type=\"expectation\">" + escapeHtml(message) +
               "</failure>\n  </testcase>\n";
    }
    if (!result.hostErrors.empty()) {
        std::string text;
        for (const auto& error : result.hostErrors) text += error + "\n";
        xml += "  <testcase classname=\"" + escapeHtml(scenario.file) +
               "\" name=\"host protocol\" time=\"0\">\n    <error message=\"" + escapeHtml(result.hostErrors[0]) +
               "\" type=\"host\">" + escapeHtml(text) + "</error>\n  </testcase>\n";
    }
    return xml + "</testsuite>\n";
}

std::string junitDocument(const std::string& suites) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites>\n" + suites + "</testsuites>\n";
}

std::string junitXml(const Scenario& scenario, const RunResult& result) {
    return junitDocument(junitSuite(scenario, result));
}

}  // namespace scenario
