// What a run gathers besides its checks: samples and screens for the report, cross-checks of the
// script's state against the calls, and the summary at the end.
#include "scenario/run/run_state.h"

namespace scenario {

void Run::sample() {
    Sample s;
    s.ms = elapsed();
    s.player = entities().player().position;
    if (const sim::SimEntity* vehicle = entities().find(tracker_.crewVehicle())) s.crewVehicle = vehicle->position;
    if (const sim::SimEntity* gunner = entities().find(tracker_.gunner())) s.gunner = gunner->position;
    for (const sim::Handle handle : pedHandles_) {
        const sim::SimEntity* ped = entities().find(handle);
        s.peds.push_back(ped != nullptr ? std::optional<sim::Vec3>(ped->position) : std::nullopt);
        s.pedsDown.push_back(ped != nullptr && ped->isDown());
    }
    s.wantedLevel = entities().wantedLevel;
    s.shotOrders = tracker_.shotOrders();
    s.attackMode = tracker_.attackMode();
    result_.samples.push_back(std::move(s));
}

void Run::snapshot(const std::string& why) {
    if (result_.screens.size() >= 60) return;
    ScreenShot shot;
    shot.ms = elapsed();
    shot.frame = host_.frame();
    shot.why = why;
    shot.screen = host_.world().screen.current;
    result_.screens.push_back(std::move(shot));
}

void Run::mismatch(const std::string& what) {
    ++result_.derivationMismatches;
    if (result_.mismatchNotes.size() < 20) {
        result_.mismatchNotes.push_back("at " + std::to_string(elapsed()) + " ms (frame " +
                                        std::to_string(host_.frame()) + "): " + what);
    }
}

void Run::crossCheck(std::size_t shotsBefore) {
    const ScriptView view = options_.probe();
    if (view.crewExists && *view.crewExists != tracker_.crewHeld()) {
        mismatch("the script " + std::string(*view.crewExists ? "holds" : "holds no") +
                 " crew, the calls say otherwise");
    }
    if (view.attackMode) {
        // A new mode shows in its message from the next frame on.
        const bool now = *view.attackMode == tracker_.attackMode();
        const bool before = probedModeBefore_ && *probedModeBefore_ == tracker_.attackMode();
        if (!now && !before) {
            mismatch("attack mode " + std::to_string(*view.attackMode) + " in the script, " +
                     std::to_string(tracker_.attackMode()) + " from the calls");
        }
        probedModeBefore_ = view.attackMode;
    }
    const auto& shots = tracker_.shots();
    if (view.targetPed && shots.size() > shotsBefore && shots.back().target != 0 &&
        shots.back().target != *view.targetPed) {
        mismatch("a shot order at " + tracker_.nameOf(shots.back().target) + " while the script's target is " +
                 tracker_.nameOf(*view.targetPed));
    }
}

void Run::summarise() {
    result_.simulatedMs = elapsed();
    result_.frames = host_.frame();
    result_.nativeCalls = host_.callCount();
    result_.shotOrders = tracker_.shotOrders();
    result_.roundsFired = static_cast<std::int64_t>(entities().shots.size());
    for (const auto& round : entities().shots) result_.roundsWithoutOrder += round.ordered ? 0 : 1;
    result_.wantedLevel = entities().wantedLevel;
    result_.scriptWantedLevel = tracker_.scriptWantedLevel();
    const ScriptView view = options_.probe ? options_.probe() : ScriptView{};
    result_.attackMode = view.attackMode.value_or(tracker_.attackMode());
    result_.crewExists = view.crewExists.value_or(tracker_.crewHeld());
    const sim::Handle crew = tracker_.crewVehicle();
    result_.gunnerSeated = entities().isSittingIn(tracker_.gunner(), crew);
    result_.playerInCrewVehicle = entities().isSittingIn(entities().playerPed, crew);
    if (crew == 0) {
        result_.crewState = "no crew was spawned";
    } else if (result_.crewExists) {
        result_.crewState = std::string("active, the gunner ") +
                            (result_.gunnerSeated ? "seated" : "out of the vehicle") + ", the player " +
                            (result_.playerInCrewVehicle ? "in the crew vehicle" : "elsewhere");
    } else if (tracker_.giveUpOrders() > 0) {
        result_.crewState = "given up";
    } else {
        result_.crewState = "gone";
    }
    result_.hostErrors = host_.errors();
    result_.log = folder_->readLog();
    result_.narration = tracker_.lines();
    result_.shots = tracker_.shots();
    for (const sim::Handle target : tracker_.targets()) result_.targetNames.push_back(tracker_.nameOf(target));
    for (std::size_t p = 0; p < pedHandles_.size(); ++p) {
        const sim::Handle handle = pedHandles_[p];
        PedOutcome outcome;
        outcome.name = result_.pedNames[p];
        for (const auto& shot : result_.shots) outcome.shotOrders += shot.target == handle ? 1 : 0;
        outcome.downMs = tracker_.downAt(handle);
        outcome.goneMs = tracker_.goneAt(handle);
        const sim::SimEntity* ped = entities().find(handle);
        outcome.state = ped == nullptr ? "gone" : ped->isDown() ? "down" : "standing";
        result_.peds.push_back(std::move(outcome));
    }
    result_.crews = tracker_.crews();
    result_.screenWidth = scenario_.world.screenWidth;
    result_.screenHeight = scenario_.world.screenHeight;
}

}  // namespace scenario
