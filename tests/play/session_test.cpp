// A played session saved as a scenario: it replays with the same narration and passes, and a
// changed script fails the replay at the expectation that differs.
#include "play/session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "play/play_front.h"
#include "play/play_support.h"
#include "runtime/state.h"
#include "scenario/format/parser.h"
#include "script_link/script_module.h"
#include "script_link/script_view.h"

namespace {

using test::playEntry;
using test::playFrames;

// The typical road played live: the menu, the Insurgent, in, fire, an expectation, attack mode 1.
std::unique_ptr<play::Session> playTypicalRoad() {
    auto session = test::pausedSession();
    playEntry(*session, R"({"press": "ctrl"})", 3);
    playEntry(*session, R"({"press": "i"})", 6);
    playEntry(*session, R"({"release": "i"})", 1);
    playEntry(*session, R"({"release": "ctrl"})", 30);
    playEntry(*session, R"({"tap": "numpad2"})", 30);
    playEntry(*session, R"({"tap": "enter"})", 250);
    playEntry(*session, R"({"enter_vehicle": "crew"})", 10);
    playEntry(*session, R"({"press": "left_mouse"})", 60);
    playEntry(*session, R"({"release": "left_mouse"})", 5);
    session->expectNow();
    playEntry(*session, R"({"shoot": "biker", "target": "player", "damage": 10})", 5);
    playEntry(*session, R"({"tap": "e"})", 120);
    return session;
}

struct Line {
    std::uint64_t ms;
    std::string kind;
    std::string text;
    bool operator==(const Line&) const = default;
};

std::vector<Line> liveLines(const play::Session& session) {
    std::size_t next = 0;
    std::vector<Line> lines;
    for (const auto& line : nlohmann::json::parse(session.linesSince(0, next)))
        lines.push_back(Line{line["ms"], line["kind"], line["text"]});
    return lines;
}

// The replay's story without its checks, which the live session never made.
std::vector<Line> storyOf(const scenario::RunResult& result) {
    std::vector<Line> lines;
    for (const auto& line : result.narration) {
        if (line.kind != scenario::NarrationKind::Check)
            lines.push_back(Line{line.ms, std::string(scenario::kindName(line.kind)), line.text});
    }
    return lines;
}

scenario::RunResult replay(const std::string& text, const sim::ScriptModule& module) {
    const scenario::Scenario recorded = scenario::parseScenario(text, "played.toml");
    scenario::RunOptions options;
    options.probe = sim::readLinkedScriptView;
    return scenario::runScenario(recorded, module, options);
}

// A modder's change: the wanted counter starts a whole level higher, so the first shot sets 2.
sim::ScriptModule scriptStartingOneLevelUp() {
    sim::ScriptModule module = sim::linkedScript();
    module.resetState = [] {
        resetScriptState();
        state.wantedProgress += 1.0f;
    };
    return module;
}

class PlayedSession : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        auto session = playTypicalRoad();
        session->stop();
        recording_ = new std::string(session->recording());
        lines_ = new std::vector<Line>(liveLines(*session));
    }
    static void TearDownTestSuite() {
        delete recording_;
        delete lines_;
    }
    static std::string* recording_;
    static std::vector<Line>* lines_;
};

std::string* PlayedSession::recording_ = nullptr;
std::vector<Line>* PlayedSession::lines_ = nullptr;

TEST_F(PlayedSession, RecordsEveryEntryAtTheFrameItLandedIn) {
    // The first entry was queued after frame 1 and landed in frame 2, at 16 ms.
    EXPECT_NE(recording_->find("{ at = 16, press = \"ctrl\" }"), std::string::npos) << *recording_;
    EXPECT_NE(recording_->find("{ at = 64, press = \"i\" }"), std::string::npos) << *recording_;
    EXPECT_NE(recording_->find("shoot = \"biker\", target = \"player\", damage = 10 }"), std::string::npos);
    EXPECT_NE(recording_->find("wanted_level = 1"), std::string::npos) << *recording_;
    EXPECT_NE(recording_->find("attack_mode = 1"), std::string::npos) << *recording_;
}

TEST_F(PlayedSession, ReplaysWithTheSameNarrationAndPasses) {
    const scenario::RunResult result = replay(*recording_, sim::linkedScript());
    EXPECT_TRUE(result.passed());
    for (const auto& check : result.checks) EXPECT_TRUE(check.passed) << check.expected << " / " << check.actual;
    // The asked-for group and the end group, each of crew, aboard, mode, wanted, shots and peds.
    EXPECT_GE(result.checks.size(), 12u);
    EXPECT_EQ(storyOf(result), *lines_);
    EXPECT_GT(result.shotOrders, 0);
}

TEST_F(PlayedSession, AChangedScriptFailsTheReplayAtTheWantedLevel) {
    const scenario::RunResult result = replay(*recording_, scriptStartingOneLevelUp());
    EXPECT_FALSE(result.passed());
    std::vector<std::string> failed;
    for (const auto& check : result.checks) {
        if (!check.passed) failed.push_back(check.expected + " -> " + check.actual);
    }
    // Both groups expect level 1; the changed script's first shot set 2. Nothing else differs.
    EXPECT_EQ(failed,
              (std::vector<std::string>{"wanted level 1 -> wanted level 2", "wanted level 1 -> wanted level 2"}));
}

TEST(PlaySession, RefusesWhatTheScenarioFormatWouldNotTake) {
    auto session = test::pausedSession();
    const auto refusal = [&](const std::string& json) {
        try {
            session->act(nlohmann::ordered_json::parse(json));
        } catch (const std::invalid_argument& error) {
            return std::string(error.what());
        }
        return std::string("taken");
    };
    EXPECT_NE(refusal(R"({"fly": "player"})").find("unknown event 'fly'"), std::string::npos);
    EXPECT_NE(refusal(R"({"shoot": "nobody", "target": "player"})").find("nobody"), std::string::npos);
    EXPECT_NE(refusal(R"({"press": "warp_key"})").find("unknown key 'warp_key'"), std::string::npos);
    EXPECT_NE(refusal(R"({"at": 5, "press": "e"})").find("time"), std::string::npos);
    EXPECT_NE(refusal(R"({"move": "player", "to": {"x": 1}})").find("array"), std::string::npos);
    EXPECT_NE(refusal(R"({"press": "e", "tap": "e"})").find("one event per entry"), std::string::npos);
    EXPECT_EQ(refusal(R"({"press": "e"})"), "taken");
    playFrames(*session, 2);
    const std::string text = session->recording();
    EXPECT_EQ(text.find("fly"), std::string::npos);
    EXPECT_NE(text.find("{ at = 16, press = \"e\" }"), std::string::npos) << text;
}

TEST(PlaySession, APausedSessionStandsStillAndStepsFrameByFrame) {
    auto session = test::pausedSession();
    const std::uint64_t before = session->frames();
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_EQ(session->frames(), before);
    playFrames(*session, 3);
    EXPECT_EQ(session->frames(), before + 3);
    // Going on at 8 times the game's speed runs 500 frames a second of wall time at 16 ms a frame.
    session->setSpeed(100.0);
    session->setPaused(false);
    EXPECT_TRUE(session->waitForFrames(before + 40, std::chrono::seconds(5)));
    session->setPaused(true);
}

TEST(PlaySession, ExpectThisNowWritesTheStateOfTheLastFrame) {
    auto session = test::pausedSession();
    playEntry(*session, R"({"wanted": 3})", 4);
    session->expectNow();
    const std::string text = session->recording();
    // The entry landed in frame 2 (16 ms) and four frames ran: frame 5 ended at 64 ms.
    EXPECT_NE(text.find("at = 64\ncrew_exists = false\nplayer_in_crew_vehicle = false\nattack_mode = 0\n"
                        "wanted_level = 3\nshots = 0\nstatus = \"\"\n"),
              std::string::npos)
        << text;
    session->stop();
    EXPECT_TRUE(replay(text, sim::linkedScript()).passed());
}

TEST(PlaySession, AnEntryWhoseSubjectIsGoneSaysTheLineOfTheRecording) {
    auto session = test::pausedSession();
    playEntry(*session, R"({"enter_vehicle": "crew"})", 2);
    std::size_t next = 0;
    const std::string lines = session->linesSince(0, next);
    // The recording's timeline starts on line 7: the replay names the same place.
    EXPECT_NE(lines.find("no crew vehicle to enter: nothing happens; played.toml:7"), std::string::npos) << lines;
    session->stop();
    const std::string live = nlohmann::json::parse(lines).front()["text"];
    const scenario::RunResult result = replay(session->recording(), sim::linkedScript());
    EXPECT_TRUE(std::ranges::any_of(result.narration, [&](const auto& line) { return line.text == live; })) << live;
}

}  // namespace

namespace {

TEST(PlaySession, ASessionWithSettingsSavesThemBesideTheScenarioAndReplaysWithThem) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tg-play-settings-test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    auto session = test::pausedSession(std::string(TG_SOURCE_DIR) + "/scenarios/settings.toml");
    // The settings bind the menu to F5: the menu opens on it.
    playEntry(*session, R"({"press": "f5"})", 10);
    playEntry(*session, R"({"release": "f5"})", 10);
    session->expectNow();
    session->stop();
    const std::string path = (folder / "played.toml").string();
    ASSERT_EQ(play::saveRecording(*session, path), "");
    const scenario::Scenario saved = scenario::loadScenario(path);
    const scenario::Scenario original = scenario::loadScenario(std::string(TG_SOURCE_DIR) + "/scenarios/settings.toml");
    EXPECT_EQ(saved.settingsText, original.settingsText);
    scenario::RunOptions options;
    options.probe = sim::readLinkedScriptView;
    const scenario::RunResult result = scenario::runScenario(saved, sim::linkedScript(), options);
    EXPECT_TRUE(result.passed());
    EXPECT_TRUE(std::ranges::any_of(result.narration,
                                    [](const auto& line) { return line.kind == scenario::NarrationKind::Menu; }));
    std::filesystem::remove_all(folder);
}

}  // namespace

TEST(PlaySession, TheCameraAndCutsceneButtonsAreRecordedAndReplayAlike) {
    auto session = test::pausedSession();
    playEntry(*session, R"({"camera_view": "first_person"})", 10);
    playEntry(*session, R"({"cutscene": "start"})", 20);
    playEntry(*session, R"({"cutscene": "end"})", 10);
    playEntry(*session, R"({"camera_view": "third_person"})", 10);
    session->stop();
    const std::string recording = session->recording();
    EXPECT_NE(recording.find("camera_view = \"first_person\""), std::string::npos) << recording;
    EXPECT_NE(recording.find("cutscene = \"start\""), std::string::npos) << recording;
    EXPECT_NE(recording.find("cutscene = \"end\""), std::string::npos) << recording;
    const std::vector<Line> live = liveLines(*session);
    EXPECT_TRUE(std::any_of(live.begin(), live.end(),
                            [](const Line& line) { return line.text.find("cutscene") != std::string::npos; }));
    const scenario::RunResult result = replay(recording, sim::linkedScript());
    EXPECT_TRUE(result.passed());
    EXPECT_EQ(storyOf(result), live);
}

TEST(PlaySession, APedAddedWhilePlayingCanBeNamedLaterAndReplays) {
    auto session = test::pausedSession();
    playEntry(*session, R"({"add_ped": "ped1", "position": [7.0, 7.0, 0.0]})", 10);
    playEntry(*session, R"({"shoot": "ped1", "target": "player", "damage": 10})", 10);
    EXPECT_THROW(session->act(nlohmann::ordered_json::parse(R"({"add_ped": "ped1", "position": [1.0, 1.0, 0.0]})")),
                 std::invalid_argument);
    playEntry(*session, R"({"kill": "ped1"})", 10);
    session->stop();
    const std::string recording = session->recording();
    EXPECT_NE(recording.find("add_ped = \"ped1\""), std::string::npos) << recording;
    const std::vector<Line> live = liveLines(*session);
    const scenario::RunResult result = replay(recording, sim::linkedScript());
    EXPECT_TRUE(result.passed());
    EXPECT_EQ(storyOf(result), live);
    EXPECT_TRUE(std::any_of(live.begin(), live.end(),
                            [](const Line& line) { return line.text.find("ped1 is killed") != std::string::npos; }));
}
