// What the event and check tables' functions work with when they act: the run being played or checked.
#pragma once

#include <string>

#include "scenario/format/kinds.h"
#include "scenario/narration/narration_text.h"
#include "scenario/run/run_state.h"

namespace scenario {

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

}  // namespace scenario
