// The hostile world's small consistent world: its entities and the events of the control lane.
#include "hostile_world.h"

namespace fuzz {

std::int32_t HostileWorld::spawn(bool isPed, sim::Vec3 position) {
    const std::int32_t handle = nextHandle_++;
    ShadowEntity entity;
    entity.isPed = isPed;
    entity.position = position;
    if (!isPed) entity.health = 1000;
    entities_[handle] = entity;
    return handle;
}

ShadowEntity* HostileWorld::find(std::int32_t handle) {
    const auto found = entities_.find(handle);
    return found == entities_.end() ? nullptr : &found->second;
}

sim::Vec3 HostileWorld::positionOf(std::int32_t handle) {
    const ShadowEntity* entity = find(handle);
    return entity != nullptr ? entity->position : sim::Vec3{};
}

void HostileWorld::populate(int peds) {
    for (int i = 0; i < peds; ++i) {
        const std::uint8_t looks = input_.answerByte();
        const float distance = 2.0f + static_cast<float>(input_.answerByte()) * 4.0f;
        const float side = (looks & 1) != 0 ? 1.0f : -1.0f;
        const std::int32_t ped = spawn(true, sim::Vec3{side * distance, distance * 0.5f, 0.0f});
        ShadowEntity& entity = entities_[ped];
        entity.pedType = (looks & 0x0E) == 0 ? 6 : 4;
        entity.enemy = (looks & 0x30) == 0;
        entity.hidden = (looks & 0xC0) == 0;
        nearby_.push_back(ped);
    }
}

void HostileWorld::applyEvent(std::uint8_t event) {
    if (event < 0xF0) return;
    ShadowEntity* player = find(playerPed_);
    ShadowEntity* gunner = find(lastGunner_);
    switch (event & 0x0F) {
        case 0:  // the player gets into the newest crew vehicle
            if (player != nullptr && find(lastVehicle_) != nullptr) {
                player->vehicle = lastVehicle_;
                player->sitting = true;
            }
            break;
        case 1:  // the player gets out
            if (player != nullptr) {
                player->vehicle = 0;
                player->sitting = false;
            }
            break;
        case 2:  // the gunner gets out
            if (gunner != nullptr) {
                gunner->vehicle = 0;
                gunner->sitting = false;
            }
            break;
        case 3:  // the gunner is back in its seat
            if (gunner != nullptr && find(lastVehicle_) != nullptr) {
                gunner->vehicle = lastVehicle_;
                gunner->sitting = true;
            }
            break;
        case 4:  // the gunner is climbing in: using the vehicle, not yet sitting
            if (gunner != nullptr) {
                gunner->vehicle = lastVehicle_;
                gunner->sitting = false;
            }
            break;
        case 5:  // some entity the script knows of vanishes
            if (!receivedList_.empty()) {
                const std::int32_t victim = receivedList_[input_.answerByte() % receivedList_.size()];
                if (victim != playerPed_ && find(victim) != nullptr) {
                    vanished_[victim] = entities_[victim];
                    entities_.erase(victim);
                }
            }
            break;
        case 6:  // the gunner vanishes
            if (gunner != nullptr) {
                vanished_[lastGunner_] = *gunner;
                entities_.erase(lastGunner_);
            }
            break;
        case 7:  // the crew vehicle vanishes
            if (find(lastVehicle_) != nullptr) {
                vanished_[lastVehicle_] = entities_[lastVehicle_];
                entities_.erase(lastVehicle_);
            }
            break;
        case 8:  // someone walks up
            populate(1);
            break;
        case 9:  // someone near the player is gone
            if (!nearby_.empty()) {
                const std::size_t at = input_.answerByte() % nearby_.size();
                entities_.erase(nearby_[at]);
                nearby_.erase(nearby_.begin() + static_cast<std::ptrdiff_t>(at));
            }
            break;
        case 10:  // the player respawns as a new ped
            if (player != nullptr) {
                const ShadowEntity old = *player;
                entities_.erase(playerPed_);
                playerPed_ = spawn(true, old.position);
            }
            break;
        case 11:  // a vanished handle is in use again
            if (!vanished_.empty()) {
                auto back = vanished_.begin();
                entities_[back->first] = back->second;
                vanished_.erase(back);
            }
            break;
        case 12:  // the player takes some other vehicle
            if (player != nullptr) {
                const std::int32_t other = spawn(false, player->position);
                player = find(playerPed_);
                player->vehicle = other;
                player->sitting = true;
            }
            break;
        case 13:  // the crew vehicle is wrecked one way or another
            if (ShadowEntity* vehicle = find(lastVehicle_)) {
                switch (input_.answerByte() % 4) {
                    case 0:
                        vehicle->petrolTank = 0.0f;
                        break;
                    case 1:
                        vehicle->petrolTank = -100.0f;
                        break;
                    case 2:
                        vehicle->inWater = true;
                        break;
                    default:
                        vehicle->upsideDown = true;
                        break;
                }
            }
            break;
        case 14:  // the crew vehicle is repaired
            if (ShadowEntity* vehicle = find(lastVehicle_)) {
                vehicle->petrolTank = 1000.0f;
                vehicle->inWater = false;
                vehicle->upsideDown = false;
            }
            break;
        default:  // the gunner is badly hurt
            if (gunner != nullptr) gunner->health = static_cast<std::int32_t>(input_.answerByte() % 3);
            break;
    }
}

}  // namespace fuzz
