// Playing the timeline: key presses and releases, and the world events a scenario sets off.
#include <cstdio>

#include "scenario/keys.h"
#include "scenario/run_state.h"

namespace scenario {
namespace {

std::string vecText(sim::Vec3 v) {
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "(%.1f, %.1f, %.1f)", static_cast<double>(v.x), static_cast<double>(v.y),
                  static_cast<double>(v.z));
    return buffer;
}

}  // namespace

void Run::applyDueEvents() {
    const std::uint64_t now = elapsed();
    while (!releases_.empty() && releases_.begin()->first <= now) {
        for (const int key : releases_.begin()->second) setKey(key, false);
        releases_.erase(releases_.begin());
    }
    while (nextEvent_ < scenario_.timeline.size() && scenario_.timeline[nextEvent_].atMs <= now) {
        apply(scenario_.timeline[nextEvent_++]);
    }
}

void Run::apply(const TimelineEvent& event) {
    auto missing = [&](const std::string& what) {
        say("world", "(" + what + ": nothing happens; " + describe(event.origin) + ")");
    };
    const sim::Handle subject = event.subject.empty() ? 0 : resolve(event.subject);
    sim::SimEntity* entity = entities().find(subject);
    auto subjectText = [&] {
        return event.subject == "crew"     ? std::string("the crew vehicle")
               : event.subject == "gunner" ? std::string("the gunner")
                                           : event.subject;
    };

    switch (event.action) {
        case Action::Press:
            for (const int key : event.keys) setKey(key, true);
            say("input", "press " + event.keyText);
            break;
        case Action::Release:
            for (const int key : event.keys) setKey(key, false);
            say("input", "release " + event.keyText);
            break;
        case Action::Tap:
            for (const int key : event.keys) setKey(key, true);
            releases_.emplace(elapsed() + std::uint64_t{event.holdMs}, event.keys);
            say("input", "tap " + event.keyText);
            break;
        case Action::EnterVehicle:
            if (entity == nullptr || entity->kind != sim::EntityKind::Vehicle)
                return missing(event.subject == "crew" ? "no crew vehicle to enter"
                                                       : "no " + event.subject + " to enter");
            entities().seatPed(entities().playerPed, subject, event.seat);
            say("world", "the player gets into " + subjectText());
            break;
        case Action::LeaveVehicle:
            entities().unseatPed(entities().playerPed);
            say("world", "the player gets out of the vehicle");
            break;
        case Action::Move:
            if (entity == nullptr) return missing(subjectText() + " is not in the world");
            if (event.point) entities().setPosition(subject, *event.point);
            if (event.velocity) entity->velocity = *event.velocity;
            say("world", subjectText() + (event.point ? " moves to " + vecText(*event.point) : std::string()) +
                             (event.velocity ? " with velocity " + vecText(*event.velocity) : std::string()));
            break;
        case Action::Shoot: {
            const sim::Handle victim = resolve(event.object);
            if (entity == nullptr) return missing(event.subject + " is not in the world");
            if (!entities().exists(victim)) return missing("no " + event.object + " to shoot at");
            entities().damage(victim, subject, event.amount);
            say("world", event.subject + " shoots " +
                             (event.object == "crew"     ? std::string("the crew vehicle")
                              : event.object == "gunner" ? std::string("the gunner")
                              : event.object == "player" ? std::string("the player")
                                                         : event.object) +
                             " (" + std::to_string(event.amount) + " damage)");
            break;
        }
        case Action::Hide:
        case Action::Reveal:
            if (entity == nullptr) return missing(event.subject + " is not in the world");
            entity->hiddenFromGunner = event.action == Action::Hide;
            say("world", event.subject + (event.action == Action::Hide ? " hides from the gunner's sight"
                                                                       : " comes into the gunner's sight"));
            break;
        case Action::Vanish:
            if (entity == nullptr) return missing(event.subject + " is not in the world");
            entities().remove(subject);
            say("world", event.subject + " vanishes");
            break;
        case Action::Kill:
            if (entity == nullptr) return missing(subjectText() + " is not in the world");
            entity->health = 0;
            entity->alive = false;
            ++entities().lifeChanges;
            say("world", subjectText() + " is killed");
            break;
        case Action::SetHealth:
            if (entity == nullptr) return missing(subjectText() + " is not in the world");
            entity->health = event.amount;
            entity->alive = event.amount > 0;
            ++entities().lifeChanges;
            say("world", subjectText() + "'s health is set to " + std::to_string(event.amount));
            break;
        case Action::ThrowOutGunner: {
            sim::SimEntity* gunner = entities().find(tracker_.gunner());
            if (gunner == nullptr) return missing("no gunner to throw out");
            entities().unseatPed(gunner->handle);
            gunner->task = sim::Task{};
            say("world", "the gunner is thrown out of the vehicle");
            break;
        }
        case Action::FlipVehicle:
        case Action::RightVehicle:
        case Action::IntoWater:
        case Action::OutOfWater:
        case Action::TankHealth: {
            sim::SimEntity* vehicle = entities().find(tracker_.crewVehicle());
            if (vehicle == nullptr) return missing("no crew vehicle");
            if (event.action == Action::FlipVehicle || event.action == Action::RightVehicle) {
                vehicle->upsideDown = event.action == Action::FlipVehicle;
                say("world", vehicle->upsideDown ? "the crew vehicle flips onto its roof"
                                                 : "the crew vehicle is back on its wheels");
            } else if (event.action == Action::TankHealth) {
                vehicle->petrolTankHealth = event.value;
                char text[80];
                std::snprintf(text, sizeof text, "the crew vehicle's petrol tank health drops to %.1f",
                              static_cast<double>(event.value));
                say("world", text);
            } else {
                vehicle->inWater = event.action == Action::IntoWater;
                say("world",
                    vehicle->inWater ? "the crew vehicle ends up in water" : "the crew vehicle is back on land");
            }
            break;
        }
        case Action::ClearWanted:
            entities().clearWantedLevel();
            say("world", "the game clears the wanted level");
            break;
        case Action::MoveCamera:
            entities().camera = *event.point;
            say("world", "the camera moves to " + vecText(*event.point));
            break;
        case Action::Focus:
            host_.setFocus(event.flag);
            say("input", event.flag ? "the game's window has the focus again" : "another window takes the focus");
            break;
    }
}

}  // namespace scenario
