// The stepped live session of the play tests.
#include "play/play_support.h"

#include "play/assets.h"
#include "scenario/format/parser.h"
#include "script_link/script_module.h"
#include "script_link/script_view.h"

namespace test {

std::unique_ptr<play::Session> pausedSession(const std::string& world) {
    play::SessionSetup setup;
    setup.start =
        world.empty() ? scenario::parseScenario(play::defaultWorld, "default road") : scenario::loadScenario(world);
    setup.module = sim::linkedScript();
    setup.probe = sim::readLinkedScriptView;
    setup.recordName = "played.toml";
    setup.startPaused = true;
    auto session = std::make_unique<play::Session>(std::move(setup));
    session->start();
    EXPECT_TRUE(session->waitForFrames(1, std::chrono::seconds(10)));
    return session;
}

void playFrames(play::Session& session, std::uint32_t frames) {
    const std::uint64_t target = session.frames() + frames;
    session.step(frames);
    ASSERT_TRUE(session.waitForFrames(target, std::chrono::seconds(20))) << "the session stopped stepping";
}

void playEntry(play::Session& session, const std::string& json, std::uint32_t frames) {
    session.act(nlohmann::ordered_json::parse(json));
    playFrames(session, frames);
}

}  // namespace test
