// Turns native calls and world changes into the events of a run.
#include "scenario/narration/tracker.h"

#include "scenario/narration/tracker_support.h"
#include "ui/vocabulary.h"

namespace scenario {
namespace {

// The script's own words (ui/vocabulary.h) are what its screen and calls are read by.
bool isMenuItem(const std::string& text) {
    for (const MenuVehicle& vehicle : menuVehicles) {
        if (text == vehicle.caption) return true;
    }
    return text == closeMenuCaption;
}

bool isHighlighted(const sim::Rgba& colour) {
    return colour.r == activeTextColour.r && colour.g == activeTextColour.g && colour.b == activeTextColour.b;
}

// The menu's vehicle that spawns `model`, or null.
const MenuVehicle* menuVehicleOf(const std::string& model) {
    for (const MenuVehicle& vehicle : menuVehicles) {
        if (model == vehicle.modelName) return &vehicle;
    }
    return nullptr;
}

// The attack mode a status message announces, or -1.
std::int32_t attackModeAnnounced(const std::string& status) {
    for (std::size_t mode = 0; mode < attackModeMessages.size(); ++mode) {
        if (status == attackModeMessages[mode]) return static_cast<std::int32_t>(mode);
    }
    return -1;
}

}  // namespace

Tracker::Tracker(const sim::World& world, std::uint32_t startTick) : world_(world), startTick_(startTick) {
    names_[world.entities.playerPed] = "the player";
}

std::string Tracker::nameOf(sim::Handle handle) const {
    if (handle == 0) return "nobody";
    if (handle == gunner_) return "the gunner";
    if (handle == crewVehicle_) return "the crew vehicle";
    const auto found = names_.find(handle);
    if (found != names_.end()) return found->second;
    return "entity " + std::to_string(handle);
}

bool Tracker::crewHeld() const {
    return heldVehicle_ != 0 && world_.entities.exists(heldVehicle_) && world_.entities.exists(heldGunner_);
}

void Tracker::say(std::uint64_t ms, std::uint64_t frame, NarrationKind kind, std::string text, bool failed) {
    lines_.push_back(NarrationLine{ms, frame, kind, std::move(text), failed});
    if (listener_) listener_(lines_.back());
}

std::string Tracker::distanceText(sim::Handle from, sim::Handle to) const {
    const sim::SimEntity* a = world_.entities.find(from);
    const sim::SimEntity* b = world_.entities.find(to);
    if (a == nullptr || b == nullptr) return std::string();
    return format("%.1f m away", static_cast<double>(sim::distance(a->position, b->position)));
}

void Tracker::onCall(const sim::NativeCall& call) {
    frameHadCalls_ = true;
    onSupervisorStep(call);
    noteSpawnStart(call);
    onSpawnCall(call);
    onFireCall(call);
    onSetUpCall(call);
    followsHealthRead_ = call.native == natives().health && call.intArg(0) == gunner_;
}

// A working pass of the supervisor asks PLAYER_ID, PLAYER_PED_ID and the player's vehicle, then
// tests the crew vehicle and, when it exists, the gunner: those two arguments are the handles the
// script holds.
void Tracker::onSupervisorStep(const sim::NativeCall& call) {
    const Natives& n = natives();
    if (call.native == n.playerId) {
        supervisorStep_ = 1;
        frameHadSupervisor_ = true;
        unfitReason_.clear();
        if (spawning_) spawning_ = false;
        return;
    }
    const int step = supervisorStep_;
    supervisorStep_ = 0;
    if (step == 1 && call.native == n.playerPedId)
        supervisorStep_ = 2;
    else if (step == 2 && call.native == n.vehicleUsing)
        supervisorStep_ = 3;
    else if (step == 3 && call.native == n.exists) {
        heldVehicle_ = call.intArg(0);
        if ((call.result[0] & 0xFF) != 0) supervisorStep_ = 4;
    } else if (step == 4 && call.native == n.exists) {
        heldGunner_ = call.intArg(0);
    }
}

void Tracker::onSpawnCall(const sim::NativeCall& call) {
    const Natives& n = natives();
    const std::uint64_t ms = msOf(call);
    if (call.native == n.hashKey && !call.texts.empty()) {
        const MenuVehicle* vehicle = menuVehicleOf(call.texts[0]);
        if (vehicle == nullptr) return;
        const std::string display = vehicle->caption;
        spawning_ = true;
        spawnName_ = display;
        // By now the spawn has dismissed the old crew and cleared both handles.
        heldVehicle_ = 0;
        heldGunner_ = 0;
        loadFrames_ = 0;
        attackMode_ = vehicle == &menuVehicles.back() ? 1 : 0;  // the Valkyrie's crew starts in mode 1
        lastChoice_ = display;
        spawnModel_ = call.texts[0];
        say(ms, call.frame, NarrationKind::Spawn, display + " chosen: spawning the crew");
    } else if (call.native == n.modelLoaded && spawning_) {
        ++loadFrames_;
    } else if (call.native == n.pedNoLongerNeeded) {
        say(ms, call.frame, NarrationKind::Spawn, "the previous gunner is dismissed");
    } else if (call.native == n.vehicleNoLongerNeeded) {
        say(ms, call.frame, NarrationKind::Spawn, "the previous crew vehicle is dismissed");
    } else if (call.native == n.createVehicle) {
        crewVehicle_ = call.intResult();
        heldVehicle_ = crewVehicle_;
        giveUpOrdersAtSpawn_ = giveUpOrders_;
        gunner_ = 0;
        givenUp_ = false;
        gunnerSeated_ = false;
        gunnerEverSeated_ = false;
        reboardOrdered_ = false;
        const sim::Vec3 at{call.floatArg(1), call.floatArg(2), call.floatArg(3)};
        crews_.push_back(CrewRecord{spawnName_, spawnModel_, ms, at, std::nullopt, std::nullopt, std::string()});
        say(ms, call.frame, NarrationKind::Spawn,
            spawnName_ + " created at " + pointText(at) + " after " + std::to_string(loadFrames_) + " model checks");
        loadFrames_ = 0;
    } else if (call.native == n.createPed) {
        gunner_ = call.intResult();
        heldGunner_ = gunner_;
        say(ms, call.frame, NarrationKind::Spawn,
            "gunner created in seat " + std::to_string(call.intArg(3)) + " of the " + spawnName_);
    }
}

void Tracker::reviewScreen(std::uint64_t frame, std::uint64_t ms) {
    bool menuDrawn = false;
    std::string highlight;
    std::string status;
    for (const auto& text : world_.screen.current.texts) {
        const sim::Rgba& colour = text.style.colour;
        if (text.caption == menuTitle)
            menuDrawn = true;
        else if (isMenuItem(text.caption) && isHighlighted(colour))
            highlight = text.caption;
        else if (text.y > 0.5f)
            status = text.caption;
    }
    if (menuDrawn && !menuShown_) {
        menuShown_ = true;
        highlight_ = highlight;
        say(ms, frame, NarrationKind::Menu,
            "vehicle menu opened, highlight on " + highlight + (highlight == lastChoice_ ? " (the last choice)" : ""));
    } else if (menuDrawn && highlight != highlight_) {
        highlight_ = highlight;
        say(ms, frame, NarrationKind::Menu, "highlight moved to " + highlight);
    } else if (!menuDrawn && menuShown_ && frameHadSupervisor_ && !spawning_) {
        menuShown_ = false;
        say(ms, frame, NarrationKind::Menu, "vehicle menu closed");
    }
    if (!status.empty() && status != narratedStatus_) {
        say(ms, frame, NarrationKind::Message, "\"" + status + "\"");
        if (const std::int32_t mode = attackModeAnnounced(status); mode >= 0) {
            const std::int32_t before = attackMode_;
            attackMode_ = mode;
            say(ms, frame, NarrationKind::Mode,
                "attack mode " + std::to_string(before) + " -> " + std::to_string(attackMode_));
        }
    }
    status_ = status;
    narratedStatus_ = status;
}

void Tracker::endFrame(std::uint64_t frame, std::uint64_t ms) {
    tellSetUp(frame, ms);
    // A frame in which the script did not run (it waits) draws nothing, and tells nothing.
    if (frameHadCalls_)
        reviewScreen(frame, ms);
    else
        status_.clear();
    lastFrameHadCalls_ = frameHadCalls_;
    frameHadCalls_ = false;
    menuDrawnThisFrame_ = false;
    frameHadSupervisor_ = false;
    reviewWorld(frame, ms);
    reviewGame(frame, ms);
    noteKeptCrew(frame, ms);
    if (burstOpen_ && ms - burstLastMs_ > 1000) closeBurst(frame, ms);
}

void Tracker::finish(std::uint64_t frame, std::uint64_t ms) { closeBurst(frame, ms); }

}  // namespace scenario
