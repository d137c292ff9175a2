// Playing the timeline: each event due is applied by its kind (timeline_events.cpp, world_events.cpp).
#include "scenario/run/kind_stage.h"

namespace scenario {

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
    EventStage stage{*this, event};
    stage.subject = event.subject.empty() ? 0 : resolve(event.subject);
    stage.entity = entities().find(stage.subject);
    event.kind->apply(stage);
}

}  // namespace scenario
