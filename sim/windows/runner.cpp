// Runs the real TobekGunner.asi against the simulated host in this process for a number of
// frames, optionally writing every native call to a JSON Lines trace.
//   TobekGunnerSim [--script FILE.asi] [--frames N] [--trace FILE.jsonl] [--start-tick MS] [--frame-ms MS]
#include "command_line.h"
#include "host/host_api.h"
#include "windows/script_loader.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

struct Options {
    std::string script;
    std::string trace;
    std::uint64_t frames = 600;
    std::uint32_t startTick = 100000;
    std::uint32_t frameMs = 16;
};

// -1 to go on, or the exit status.
int parse(int argc, char** argv, Options& options) {
    CLI::App app{
        "Loads the script (default: TobekGunner.asi beside this program) against the simulated host, runs a "
        "number of frames and reports the calls.",
        "TobekGunnerSim"};
    app.add_option("--script", options.script, "The script to load")->type_name("FILE.asi");
    tools::addWholeNumber(app, "--frames", options.frames, "How many frames to run", "N", 0, UINT64_MAX);
    app.add_option("--trace", options.trace, "Write every native call to FILE as JSON Lines")->type_name("FILE.jsonl");
    tools::addWholeNumber(app, "--start-tick", options.startTick, "The clock (GetTickCount) on the first frame", "MS",
                          0, UINT32_MAX);
    tools::addWholeNumber(app, "--frame-ms", options.frameMs, "Milliseconds per frame", "MS", 1, 1000);
    return tools::parseCommandLine(app, argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (const int status = parse(argc, argv, options); status >= 0) return status;
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
