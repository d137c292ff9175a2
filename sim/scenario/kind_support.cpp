// The helpers of the timeline events and the expectation checks, and the lookup of both tables.
#include "scenario/kind_support.h"

namespace scenario {
namespace parse {

void EventInput::mustBeTrue() const {
    if (!reader.boolean(value, valueField()))
        reader.fail(value, valueField(), "write '" + key + " = true' or leave it out");
}

std::string EventInput::reference(const toml::node& node, const std::string& where,
                                  std::initializer_list<std::string_view> reserved, bool peds, bool vehicles) const {
    const std::string name = reader.string(node, where);
    for (const auto allowed : reserved) {
        if (name == allowed) return name;
    }
    if (peds && names.peds.contains(name)) return name;
    if (vehicles && names.vehicles.contains(name)) return name;
    std::string expected;
    for (const auto allowed : reserved) expected += (expected.empty() ? "\"" : ", \"") + std::string(allowed) + "\"";
    if (peds) expected += std::string(expected.empty() ? "" : ", ") + "a ped of the world";
    if (vehicles) expected += std::string(expected.empty() ? "" : ", ") + "a vehicle of the world";
    reader.fail(node, where, "unknown name '" + name + "' (expected " + expected + ")");
}

std::string CheckInput::pedName(const toml::node& item) const {
    const std::string name = reader.string(item, field);
    if (!names.peds.contains(name)) reader.fail(item, field, "unknown ped '" + name + "'");
    return name;
}

}  // namespace parse

void EventStage::missing(const std::string& what) const {
    world("(" + what + ": nothing happens; " + describe(event.origin) + ")");
}

std::string EventStage::nameText(const std::string& name) {
    return name == "crew" ? std::string("the crew vehicle") : name == "gunner" ? std::string("the gunner") : name;
}

const std::vector<EventKind>& eventKinds() {
    static const std::vector<EventKind> kinds = [] {
        std::vector<EventKind> all = inputEvents();
        for (auto& kind : worldEvents()) all.push_back(std::move(kind));
        for (auto& kind : gameEvents()) all.push_back(std::move(kind));
        return all;
    }();
    return kinds;
}

const EventKind* findEventKind(std::string_view key) {
    for (const auto& kind : eventKinds()) {
        if (kind.key == key) return &kind;
    }
    return nullptr;
}

const CheckKind* findCheckKind(std::string_view key) {
    for (const auto& kind : checkKinds()) {
        if (kind.key == key) return &kind;
    }
    return nullptr;
}

}  // namespace scenario
