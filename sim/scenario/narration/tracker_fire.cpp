// The tracker's reading of the fire passes: the fitness tests and giving the crew up, re-boarding,
// the targets chosen, shot orders gathered into bursts and the wanted level they raise.
#include "scenario/narration/tracker.h"

#include "scenario/narration/tracker_support.h"

namespace scenario {

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
                                        : "the gunner opens fire where the camera points, at " + pointText(at));
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

}  // namespace scenario
