// Turns native calls and world changes into the events of a run.
#include "scenario/tracker.h"

#include <cstdio>

#include "host/native_table.h"
#include "ui/vocabulary.h"

namespace scenario {
namespace {

struct Natives {
    int playerId = sim::nativeIndex(sim::NativeId::PlayerId);
    int playerPedId = sim::nativeIndex(sim::NativeId::PlayerPedId);
    int vehicleUsing = sim::nativeIndex(sim::NativeId::GetVehiclePedIsUsing);
    int exists = sim::nativeIndex(sim::NativeId::DoesEntityExist);
    int hashKey = sim::nativeIndex(sim::NativeId::GetHashKey);
    int modelLoaded = sim::nativeIndex(sim::NativeId::HasModelLoaded);
    int createVehicle = sim::nativeIndex(sim::NativeId::CreateVehicle);
    int createPed = sim::nativeIndex(sim::NativeId::CreatePedInsideVehicle);
    int pedNoLongerNeeded = sim::nativeIndex(sim::NativeId::SetPedAsNoLongerNeeded);
    int vehicleNoLongerNeeded = sim::nativeIndex(sim::NativeId::SetVehicleAsNoLongerNeeded);
    int health = sim::nativeIndex(sim::NativeId::GetEntityHealth);
    int tankHealth = sim::nativeIndex(sim::NativeId::GetVehiclePetrolTankHealth);
    int inWater = sim::nativeIndex(sim::NativeId::IsEntityInWater);
    int upsideDown = sim::nativeIndex(sim::NativeId::IsEntityUpsidedown);
    int leaveVehicle = sim::nativeIndex(sim::NativeId::TaskLeaveVehicle);
    int clearTasks = sim::nativeIndex(sim::NativeId::ClearPedTasksImmediately);
    int enterVehicle = sim::nativeIndex(sim::NativeId::TaskEnterVehicle);
    int boneCoords = sim::nativeIndex(sim::NativeId::GetPedBoneCoords);
    int shoot = sim::nativeIndex(sim::NativeId::TaskVehicleShootAtCoord);
    int wanted = sim::nativeIndex(sim::NativeId::SetPlayerWantedLevel);
};

const Natives& natives() {
    static const Natives found;
    return found;
}

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

std::string format(const char* pattern, double a, double b = 0.0, double c = 0.0) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, pattern, a, b, c);
    return buffer;
}

std::string point(sim::Vec3 p) { return format("(%.1f, %.1f, %.1f)", p.x, p.y, p.z); }

std::string seconds(std::uint64_t ms) { return format("%.1f s", static_cast<double>(ms) / 1000.0); }

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
    onSpawnCall(call);
    onFireCall(call);
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
            spawnName_ + " created at " + point(at) + " after " + std::to_string(loadFrames_) + " model checks");
        loadFrames_ = 0;
    } else if (call.native == n.createPed) {
        gunner_ = call.intResult();
        heldGunner_ = gunner_;
        say(ms, call.frame, NarrationKind::Spawn,
            "gunner created in seat " + std::to_string(call.intArg(3)) + " of the " + spawnName_);
    }
}

void Tracker::onFireCall(const sim::NativeCall& call) {
    const Natives& n = natives();
    const std::uint64_t ms = msOf(call);
    if (call.native == n.health && call.intArg(0) == gunner_) {
        if (call.intResult() == 0) unfitReason_ = "the gunner's health is 0";
    } else if (call.native == n.tankHealth) {
        const float tank = call.floatResult();
        if (awaitingTankReread_) {
            // Giving up reads the tank again: the vehicle is forgotten unless it reads exactly 0.
            awaitingTankReread_ = false;
            if ((tank < 0.0f || tank > 0.0f) && heldVehicle_ != 0) {
                heldVehicle_ = 0;
                say(ms, call.frame, NarrationKind::Crew, "the script forgets the crew vehicle");
            }
        } else if (!(tank > 0.0f)) {
            unfitReason_ = format("the petrol tank health is %.1f", static_cast<double>(tank));
        }
    } else if (call.native == n.inWater) {
        if (call.intResult() != 0) unfitReason_ = "the crew vehicle is in water";
    } else if (call.native == n.upsideDown) {
        if (call.intResult() != 0) unfitReason_ = "the crew vehicle is upside down";
    } else if ((call.native == n.leaveVehicle || call.native == n.clearTasks) && call.intArg(0) == gunner_ &&
               gunner_ != 0 && followsHealthRead_) {
        // Giving up reads the gunner's health right before its order; a new spawn clears the
        // old gunner's tasks right after testing that he exists, which is no giving up.
        ++giveUpOrders_;
        awaitingTankReread_ = true;
        if (!givenUp_) {
            givenUp_ = true;
            recordGiveUp(ms);
            reboardOrdered_ = false;
            const char* order = call.native == n.leaveVehicle ? "the gunner is told to leave the vehicle"
                                                              : "the gunner's tasks are cleared";
            say(ms, call.frame, NarrationKind::Crew,
                std::string(giveUpOrders_ - giveUpOrdersAtSpawn_ > 1 ? "crew given up again (" : "crew given up (") +
                    (unfitReason_.empty() ? std::string("unfit") : unfitReason_) + "): " + order);
        }
    } else if (call.native == n.enterVehicle && call.intArg(0) == gunner_) {
        ++reboardOrders_;
        if (!reboardOrdered_) {
            reboardOrdered_ = true;
            givenUp_ = false;  // once back in, an unfit crew is given up anew
            say(ms, call.frame, NarrationKind::Crew,
                "the gunner is ordered back into seat " + std::to_string(call.intArg(3)));
        }
    } else if (call.native == n.boneCoords && call.intArg(1) == 0) {
        pendingBoneTarget_ = call.intArg(0);
        if (pendingBoneTarget_ != target_) {
            target_ = pendingBoneTarget_;
            targetHistory_.push_back(target_);
            std::string why;
            if (const sim::SimEntity* ped = world_.entities.find(target_)) {
                const sim::Handle player = world_.entities.playerPed;
                if (ped->pedType == 6) why = "police";
                for (const sim::Handle hurt : {player, gunner_, crewVehicle_}) {
                    const sim::SimEntity* victim = world_.entities.find(hurt);
                    if (victim != nullptr && victim->damagedBy.contains(target_)) {
                        why += (why.empty() ? "" : ", ") + std::string("hurt ") + nameOf(hurt);
                    }
                }
            }
            const std::string distance = distanceText(gunner_, target_);
            say(ms, call.frame, NarrationKind::Target,
                "the gunner targets " + nameOf(target_) + (why.empty() ? "" : " (" + why + ")") +
                    (distance.empty() ? "" : ", " + distance));
        }
    } else if (call.native == n.shoot) {
        ++shotOrders_;
        const sim::Vec3 at{call.floatArg(1), call.floatArg(2), call.floatArg(3)};
        shots_.push_back(ShotPoint{ms, at, pendingBoneTarget_});
        if (!burstOpen_) {
            burstOpen_ = true;
            burstStartMs_ = ms;
            burstShots_ = 0;
            say(ms, call.frame, NarrationKind::Fire,
                pendingBoneTarget_ != 0 ? "the gunner opens fire on " + nameOf(pendingBoneTarget_)
                                        : "the gunner opens fire where the camera points, at " + point(at));
        }
        ++burstShots_;
        burstLastMs_ = ms;
        noteFireAtDownTarget(call.frame, ms);
        pendingBoneTarget_ = 0;
    } else if (call.native == n.wanted) {
        scriptWanted_ = call.intArg(1);
        say(ms, call.frame, NarrationKind::Wanted,
            "wanted level raised to " + std::to_string(scriptWanted_) + " at shot order " +
                std::to_string(shotOrders_));
    }
}

void Tracker::recordGiveUp(std::uint64_t ms) {
    if (crews_.empty() || crews_.back().givenUpMs) return;
    CrewRecord& crew = crews_.back();
    crew.givenUpMs = ms;
    crew.reason = unfitReason_.empty() ? std::string("unfit") : unfitReason_;
    if (const sim::SimEntity* vehicle = world_.entities.find(crewVehicle_)) crew.givenUpAt = vehicle->position;
}

void Tracker::closeBurst(std::uint64_t frame, std::uint64_t ms) {
    if (!burstOpen_) return;
    burstOpen_ = false;
    say(ms, frame, NarrationKind::Fire,
        std::to_string(burstShots_) + " shot order" + (burstShots_ == 1 ? "" : "s") + " from " +
            seconds(burstStartMs_) + " to " + seconds(burstLastMs_) + " (" + std::to_string(shotOrders_) + " in all)");
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
    // A frame in which the script did not run (it waits) draws nothing, and tells nothing.
    if (frameHadCalls_)
        reviewScreen(frame, ms);
    else
        status_.clear();
    lastFrameHadCalls_ = frameHadCalls_;
    frameHadCalls_ = false;
    frameHadSupervisor_ = false;
    reviewWorld(frame, ms);
    noteKeptCrew(frame, ms);
    if (burstOpen_ && ms - burstLastMs_ > 1000) closeBurst(frame, ms);
}

void Tracker::finish(std::uint64_t frame, std::uint64_t ms) { closeBurst(frame, ms); }

}  // namespace scenario
