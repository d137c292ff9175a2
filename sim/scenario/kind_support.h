// What the timeline events' and the expectation checks' functions work with: the entry being read,
// and the run being played or checked.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/kinds.h"
#include "scenario/narration_text.h"
#include "scenario/parse_support.h"
#include "scenario/run_state.h"

namespace scenario {
namespace parse {

// A timeline entry whose event key has been found, and its other fields checked against the kind's.
struct EventInput {
    const Reader& reader;
    const toml::table& entry;
    const toml::node& value;  // of the event's own key
    std::string field;        // the entry, "timeline[3]"
    std::string key;
    const Names& names;

    std::string valueField() const { return join(field, key); }
    std::string fieldOf(std::string_view name) const { return join(field, name); }
    const toml::node* extra(std::string_view name) const { return entry.get(name); }
    // For events written `key = true`, which have no other value.
    void mustBeTrue() const;
    // A name that must refer to something the event can act on.
    std::string reference(const toml::node& node, const std::string& where,
                          std::initializer_list<std::string_view> reserved, bool peds, bool vehicles) const;
    std::string subject(std::initializer_list<std::string_view> reserved, bool peds, bool vehicles) const {
        return reference(value, valueField(), reserved, peds, vehicles);
    }
};

// One check of an `[[expect]]` table.
struct CheckInput {
    const Reader& reader;
    const toml::node& node;
    std::string field;
    const Names& names;
    ExpectationGroup& group;

    void add(Expectation check) const { group.checks.push_back(std::move(check)); }
    std::string pedName(const toml::node& item) const;
};

}  // namespace parse

// The run as a timeline event meets it, with the event's subject looked up.
struct EventStage {
    Run& run;
    const TimelineEvent& event;
    sim::Handle subject = 0;
    sim::SimEntity* entity = nullptr;

    sim::Entities& entities() const { return run.entities(); }
    void say(NarrationKind kind, const std::string& text) const { run.say(kind, text); }
    void world(const std::string& text) const { run.say(NarrationKind::World, text); }
    // The event's subject is not there: say so, naming the event's line.
    void missing(const std::string& what) const;
    // "the crew vehicle", "the gunner" or the name written.
    std::string subjectText() const { return nameText(event.subject); }
    static std::string nameText(const std::string& name);
};

// The run as an expectation's check meets it.
struct CheckStage {
    Run& run;
    ScriptView view;
    sim::Handle crew = 0;

    sim::Entities& entities() const { return run.entities(); }
    const Tracker& tracker() const { return run.tracker(); }
};

// The checks of the gunner's set-up, of hits, of the order of targets and of when a ped went
// down (crew_checks.cpp), after those of expectation_kinds.cpp.
std::vector<CheckKind> crewChecks();

// The event kinds of timeline_events.cpp and world_events.cpp, in that order.
std::vector<EventKind> inputEvents();
std::vector<EventKind> worldEvents();

}  // namespace scenario
