// A live session: the real script in the simulated world, run frame by frame at the pace the
// player picks, with each input the player makes becoming a timeline entry at the frame it lands
// in, so that the session can be saved as a scenario that replays it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/sim_host.h"
#include "play/recorder.h"
#include "scenario/format/scenario.h"
#include "scenario/run/run.h"

namespace play {

struct SessionSetup {
    scenario::Scenario start;  // its world and settings; its timeline and expectations are not played
    sim::ScriptModule module;
    std::function<scenario::ScriptView()> probe;
    std::string recordName = "play.toml";  // the file the recording is meant for, named in its messages
    bool startPaused = false;
};

// One published picture of the session, for the page.
struct View {
    std::uint64_t number = 0;  // grows with each new view
    std::string json;
};

class Session {
public:
    explicit Session(SessionSetup setup);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    void start();
    // Ends the run at the end of its frame and waits for it.
    void stop();
    bool ended() const;

    // Queues a timeline entry (its fields, without `at`) for the next frame; throws
    // std::invalid_argument saying why when the scenario format would not take it.
    void act(const nlohmann::ordered_json& fields);
    // Records an expectation of the state after the last frame.
    void expectNow();
    void setPaused(bool paused);
    // 0.25 to 8 times the game's speed.
    void setSpeed(double speed);
    // Runs `frames` more frames while paused.
    void step(std::uint32_t frames);

    // Waits until at least `frames` frames have run; false on timeout or when the run ended first.
    bool waitForFrames(std::uint64_t frames, std::chrono::milliseconds timeout);
    // The newest view once it is newer than `seen`, or the current one after `timeout`.
    View nextView(std::uint64_t seen, std::chrono::milliseconds timeout);
    // The narration from line `from` on, as a JSON array (view.h); `next` is then the index of
    // the line to come.
    std::string linesSince(std::size_t from, std::size_t& next) const;
    // The session so far as a scenario file; with the settings text, to be written beside it, if any.
    std::string recording() const;
    std::optional<std::string> settingsText() const { return setup_.start.settingsText; }
    std::string settingsFileName() const;
    std::uint64_t frames() const;

private:
    struct Pending {
        std::string fields;
        scenario::TimelineEvent event;
    };

    void runBody();
    void frameEnded();
    Moment momentNow() const;
    void publish(const Moment& moment);
    void pace(std::unique_lock<std::mutex>& lock);
    void drainPending();
    scenario::TimelineEvent checkedEvent(const std::string& fields, const std::vector<std::string>& addedPeds) const;

    SessionSetup setup_;
    scenario::Scenario live_;             // the run's scenario; its timeline grows as the player plays
    std::string worldOnly_;               // the start as scenario text, for checking entries
    std::vector<std::string> addedPeds_;  // the add_ped entries taken, so later entries may name them
    std::vector<std::string> addedPedNames_;
    std::unique_ptr<sim::SimHost> host_;
    std::unique_ptr<scenario::ScenarioRun> run_;
    std::vector<std::pair<std::string, sim::Handle>> pedHandles_;
    std::thread thread_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    Recording recording_;
    std::vector<Pending> pending_;
    std::vector<scenario::NarrationLine> lines_;
    Moment moment_;
    View view_;
    std::uint64_t frames_ = 0;
    bool paused_ = false;
    double speed_ = 1.0;
    std::uint32_t stepsLeft_ = 0;
    bool stopping_ = false;
    bool ended_ = false;
    std::chrono::steady_clock::time_point nextFrameAt_;
    std::chrono::steady_clock::time_point lastPublish_;
};

}  // namespace play
