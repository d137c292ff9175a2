// Replays fuzz inputs without libFuzzer and prints what each run did: `fuzz_replay FILE...`.
#include "fuzz_case.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char** argv) {
    int broken = 0;
    for (int i = 1; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        const std::vector<std::uint8_t> input{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        const fuzz::FuzzOutcome outcome = fuzz::runFuzzCase(input);
        std::printf("%s: %d frames, %llu native calls (%llu hostile answers, %llu thrown), wanted level %d\n", argv[i],
                    outcome.frames, static_cast<unsigned long long>(outcome.nativeCalls),
                    static_cast<unsigned long long>(outcome.hostileAnswers),
                    static_cast<unsigned long long>(outcome.thrown), outcome.wantedLevel);
        for (const auto& [name, count] : outcome.callsByName) {
            std::printf("  %-48s %llu\n", name.c_str(), static_cast<unsigned long long>(count));
        }
        for (const auto& failure : outcome.failures) std::printf("  BROKEN: %s\n", failure.c_str());
        if (!outcome.failures.empty()) ++broken;
    }
    return broken == 0 ? 0 : 1;
}
