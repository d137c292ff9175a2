// The real TobekGunner.asi in a Windows process (under Wine here) against the substitute
// ScriptHookV.dll: registration while loading, the start-up natives, one yield per frame, the
// script reading the simulated clock, keyboard and window focus through its rewritten imports, and
// unregistering when the library is unloaded.
//   tg_wine_smoke.exe SCRIPT.asi TRACE.jsonl
#include "host/host_api.h"
#include "support/c_runtime_rand.h"
#include "ui/vocabulary.h"
#include "windows/script_loader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

int failures = 0;

void expect(bool holds, const std::string& what) {
    if (holds) return;
    ++failures;
    std::printf("FAILED: %s\n", what.c_str());
}

std::string number(std::uint64_t value) { return std::to_string(value); }

std::vector<std::string> readLines(const char* path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::uint64_t frameOf(const std::string& line) {
    unsigned long long frame = 0;
    std::sscanf(line.c_str(), "{\"frame\":%llu,", &frame);
    return frame;
}

constexpr std::uint32_t startTick = 100000;
constexpr std::uint64_t quietFrames = 300;
// As a JSON string argument in the trace.
const std::string quotedMenuTitle = std::string("\"") + menuTitle + "\"";

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: tg_wine_smoke SCRIPT.asi TRACE.jsonl\n", stderr);
        return 2;
    }
    simSetClock(startTick, 16);
    expect(simRegistered() == 0, "no script is registered before the library is loaded");
    expect(simTraceTo(argv[2]) == 1, std::string("the trace file can be written: ") + argv[2]);

    const sim::LoadedScript loaded = sim::loadScript(argv[1]);
    if (loaded.module == nullptr || !loaded.error.empty()) {
        std::printf("FAILED: %s\n", loaded.error.c_str());
        return 1;
    }
    expect(simRegistered() == 1, "DllMain registered the script entry while the library loaded");
    expect(simCallCount() == 0, "registration calls no native");
    expect(simWaitCount() == 0, "registration does not wait");

    simStart();
    simRunFrames(quietFrames);
    expect(simCountCalls("GET_SCREEN_RESOLUTION") == 1,
           "GET_SCREEN_RESOLUTION once, got " + number(simCountCalls("GET_SCREEN_RESOLUTION")));
    expect(simCountCalls("REQUEST_STREAMED_TEXTURE_DICT") == 1,
           "REQUEST_STREAMED_TEXTURE_DICT once, got " + number(simCountCalls("REQUEST_STREAMED_TEXTURE_DICT")));
    expect(simWaitCount() == quietFrames,
           "one scriptWait per frame: " + number(simWaitCount()) + " in " + number(quietFrames) + " frames");
    expect(simTimedWaitCount() == 0, "every wait is scriptWait(0), " + number(simTimedWaitCount()) + " were not");

    // The script seeded the C runtime's generator with GetTickCount() on its first frame. This
    // thread runs the script's fiber and shares the runtime's per-thread generator, so the next
    // numbers show whether the script's GetTickCount was the simulated clock.
    test::WindowsRand expected{startTick};
    const int first = expected.next();
    const int second = expected.next();
    const int drawnFirst = std::rand();
    const int drawnSecond = std::rand();
    expect(drawnFirst == first && drawnSecond == second,
           "the generator was seeded with the simulated start tick: expected " + number(first) + ", " + number(second) +
               ", drew " + number(drawnFirst) + ", " + number(drawnSecond));

    // Ctrl+I while another window has the focus does nothing.
    simSetFocus(0);
    simSetKey(0x11, 1);
    simSetKey(0x49, 1);
    simRunFrames(5);
    simSetKey(0x11, 0);
    simSetKey(0x49, 0);
    simSetFocus(1);
    simRunFrames(1);
    const std::uint64_t lastQuietFrame = simFrame();

    // Ctrl+I on the simulated keyboard opens the menu, drawn from the next frame on.
    simSetKey(0x11, 1);
    simSetKey(0x49, 1);
    simRunFrames(1);
    simSetKey(0x11, 0);
    simSetKey(0x49, 0);
    simRunFrames(3);
    simCloseTrace();

    // Unloading the library tells the host: the script's DllMain unregisters it.
    expect(FreeLibrary(loaded.module) != 0, "the script library unloads");
    expect(simUnregisterCount() == 1, "scriptUnregister once on unload, got " + number(simUnregisterCount()));
    expect(simRegistered() == 0, "no script is registered after the unload");

    for (std::size_t i = 0; i < simErrorCount(); ++i) expect(false, std::string("host protocol error: ") + simError(i));

    const std::vector<std::string> lines = readLines(argv[2]);
    expect(lines.size() >= 2, "the trace holds the start-up calls, " + number(lines.size()) + " lines");
    if (lines.size() >= 2) {
        const std::string resolution =
            "{\"frame\":1,\"tick\":100000,\"name\":\"GET_SCREEN_RESOLUTION\",\"hash\":\"0x888D57E407E63624\","
            "\"args\":[{\"out\":1280},{\"out\":720}],\"result\":null}";
        const std::string darts =
            "{\"frame\":1,\"tick\":100000,\"name\":\"REQUEST_STREAMED_TEXTURE_DICT\",\"hash\":\"0xDFA2EF8E04127DD5\","
            "\"args\":[\"Darts\",0],\"result\":null}";
        expect(lines[0] == resolution, "first call\n  expected " + resolution + "\n  got      " + lines[0]);
        expect(lines[1] == darts, "second call\n  expected " + darts + "\n  got      " + lines[1]);
    }
    bool titleBeforeKeys = false;
    bool titleAfterKeys = false;
    for (const std::string& line : lines) {
        if (line.find(quotedMenuTitle) == std::string::npos) continue;
        (frameOf(line) <= lastQuietFrame + 1 ? titleBeforeKeys : titleAfterKeys) = true;
    }
    expect(!titleBeforeKeys, "no menu is drawn before Ctrl+I with the focus");
    expect(titleAfterKeys, "the menu title is drawn after Ctrl+I on the simulated keyboard");

    if (failures == 0) {
        std::printf("ok: registered on load, start-up natives once each, %llu waits in %llu frames, %llu calls\n",
                    static_cast<unsigned long long>(simWaitCount()), static_cast<unsigned long long>(simFrame()),
                    static_cast<unsigned long long>(simCallCount()));
    }
    std::fflush(stdout);
    return failures == 0 ? 0 : 1;
}
