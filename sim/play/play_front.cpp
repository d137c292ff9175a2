// Starting, serving and ending a live session.
#include "play/play_front.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "play/assets.h"
#include "play/server.h"
#include "play/session.h"
#include "scenario/format/parser.h"

extern char** environ;

namespace play {
namespace {

scenario::Scenario startingWorld(const std::string& path) {
    if (path.empty()) return scenario::parseScenario(defaultWorld, "default road");
    return scenario::loadScenario(path);
}

// Written under a temporary name and renamed, so a crash never leaves half a scenario.
std::string writeWhole(const std::filesystem::path& path, const std::string& text) {
    const std::filesystem::path partial = path.string() + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out) return "cannot write " + partial.string() + ": " + std::strerror(errno);
    }
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    if (error) return "cannot write " + path.string() + ": " + error.message();
    return "";
}

void openBrowser(const std::string& url) {
    const char* browser = std::getenv("BROWSER");
    const std::string program = browser != nullptr && *browser != '\0' ? browser : "xdg-open";
    std::vector<char*> argv{const_cast<char*>(program.c_str()), const_cast<char*>(url.c_str()), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        std::fprintf(stderr, "gunner-sim: could not start %s; open the address above yourself\n", program.c_str());
}

}  // namespace

std::string saveRecording(const Session& session, const std::string& path) {
    const std::filesystem::path target(path);
    if (const auto settings = session.settingsText()) {
        const std::string why = writeWhole(target.parent_path() / session.settingsFileName(), *settings);
        if (!why.empty()) return why;
    }
    return writeWhole(target, session.recording());
}

int playLive(const PlayRequest& request) {
    SessionSetup setup;
    try {
        setup.start = startingWorld(request.scenarioPath);
    } catch (const scenario::ScenarioError& error) {
        std::fprintf(stderr, "gunner-sim: %s: %s: %s\n", describe(error.origin()).c_str(), error.field().c_str(),
                     error.reason().c_str());
        return 2;
    }
    setup.module = request.module;
    setup.probe = request.probe;
    if (!request.recordPath.empty()) setup.recordName = request.recordPath;
    Session session(std::move(setup));
    ServerSetup serverSetup{request.port, {}};
    if (!request.recordPath.empty()) {
        serverSetup.save = [&session, &request] {
            const std::string why = saveRecording(session, request.recordPath);
            return why.empty() ? request.recordPath : "not saved: " + why;
        };
    }
    Server server(session, serverSetup);
    if (!server.bind()) {
        std::fprintf(stderr, "gunner-sim: error: cannot listen on 127.0.0.1:%d\n", request.port);
        return 2;
    }
    session.start();
    server.start();
    std::printf("gunner-sim: playing at %s\n(Ctrl+C ends the session)\n", server.url().c_str());
    std::fflush(stdout);
    if (request.open) openBrowser(server.url());
    while (!request.interrupted() && !session.ended()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    server.stop();
    session.stop();
    if (!request.recordPath.empty()) {
        const std::string why = saveRecording(session, request.recordPath);
        if (!why.empty()) {
            std::fprintf(stderr, "gunner-sim: error: %s\n", why.c_str());
            return 3;
        }
        std::printf("gunner-sim: session saved as %s\n", request.recordPath.c_str());
    }
    std::printf("gunner-sim: session ended after %llu frames\n", static_cast<unsigned long long>(session.frames()));
    return 0;
}

}  // namespace play
