// libFuzzer entry over the scenario reader and a short run: any input must be refused with a
// message or run to its end; a crash, a sanitizer report, a hang or a broken check is a finding.
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "scenario_case.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::ScenarioCaseOutcome outcome =
        fuzz::runScenarioCase(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!outcome.parsed && outcome.error.empty()) {
        std::fprintf(stderr, "refused without a message\n");
        std::abort();
    }
    if (!outcome.failures.empty()) {
        for (const auto& failure : outcome.failures) std::fprintf(stderr, "broken: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
