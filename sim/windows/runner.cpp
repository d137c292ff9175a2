// Runs the real TobekGunner.asi against the simulated host in this process for a number of
// frames, optionally writing every native call to a JSON Lines trace.
#include "host/host_api.h"
#include "windows/script_loader.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Options {
    std::string script;
    std::string trace;
    std::uint64_t frames = 600;
    std::uint32_t startTick = 100000;
    std::uint32_t frameMs = 16;
};

const char* const usage =
    "usage: TobekGunnerSim [--script FILE.asi] [--frames N] [--trace FILE.jsonl]\n"
    "                      [--start-tick MS] [--frame-ms MS]\n"
    "Loads the script (default: TobekGunner.asi beside this program) against the simulated host,\n"
    "runs N frames (default 600) and reports the calls; --trace writes them as JSON Lines.\n";

bool readNumber(const char* text, std::uint64_t& value) {
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return end != text && *end == '\0';
}

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (i + 1 >= argc) return false;
        const char* value = argv[++i];
        std::uint64_t number = 0;
        if (flag == "--script") {
            options.script = value;
        } else if (flag == "--trace") {
            options.trace = value;
        } else if (flag == "--frames" && readNumber(value, number)) {
            options.frames = number;
        } else if (flag == "--start-tick" && readNumber(value, number) && number <= 0xFFFFFFFFu) {
            options.startTick = static_cast<std::uint32_t>(number);
        } else if (flag == "--frame-ms" && readNumber(value, number) && number <= 0xFFFFFFFFu) {
            options.frameMs = static_cast<std::uint32_t>(number);
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fputs(usage, stderr);
        return 2;
    }
    if (options.script.empty()) options.script = sim::scriptBesideProgram();

    simSetClock(options.startTick, options.frameMs);
    if (!options.trace.empty()) {
        simRecordCalls(0);  // the trace keeps them; a long run need not hold them in memory too
        if (simTraceTo(options.trace.c_str()) == 0) {
            std::fprintf(stderr, "cannot write the trace %s\n", options.trace.c_str());
            return 1;
        }
    }
    const sim::LoadedScript loaded = sim::loadScript(options.script);
    if (!loaded.error.empty()) {
        std::fprintf(stderr, "%s\n", loaded.error.c_str());
        return 1;
    }
    if (simRegistered() == 0) {
        std::fprintf(stderr, "%s registered no script entry while loading\n", options.script.c_str());
        return 1;
    }

    simStart();
    simRunFrames(options.frames);
    simCloseTrace();

    std::printf("%llu frames, %llu native calls, %llu waits, last tick %lu\n",
                static_cast<unsigned long long>(simFrame()), static_cast<unsigned long long>(simCallCount()),
                static_cast<unsigned long long>(simWaitCount()), static_cast<unsigned long>(simTick()));
    const std::size_t errors = simErrorCount();
    for (std::size_t i = 0; i < errors; ++i) std::fprintf(stderr, "host protocol error: %s\n", simError(i));
    // The script's fiber is still parked in scriptWait; leaving now ends it with the process.
    std::fflush(stdout);
    return errors == 0 ? 0 : 1;
}
