// libFuzzer entry: every input is one run of the script against the hostile world; any broken
// invariant aborts so that libFuzzer keeps the input.
#include "fuzz_case.h"
#include "native_reference.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    if (fuzz::referenceNatives().empty()) {
        std::fprintf(stderr, "script_fuzzer: cannot read the native list at %s\n", fuzz::nativeListPath().c_str());
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::FuzzOutcome outcome = fuzz::runFuzzCase(data, size);
    if (!outcome.failures.empty()) {
        for (const auto& failure : outcome.failures) std::fprintf(stderr, "invariant broken: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
