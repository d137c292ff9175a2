// The run as the tables' events meet it: the subject's name and a missing subject's line.
#include "scenario/run/kind_stage.h"

namespace scenario {

void EventStage::missing(const std::string& what) const {
    world("(" + what + ": nothing happens; " + describe(event.origin) + ")");
}

std::string EventStage::nameText(const std::string& name) {
    return name == "crew" ? std::string("the crew vehicle") : name == "gunner" ? std::string("the gunner") : name;
}

}  // namespace scenario
