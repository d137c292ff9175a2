// "Did you mean": the known name nearest to a misspelt one, by edit distance.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scenario/format/scenario.h"

namespace scenario {

// The closest of `known` to `written` (letters compared without case, '_' and ' ' ignored),
// or "" when even the closest needs more than about a third of its letters changed.
std::string nearestName(std::string_view written, const std::vector<std::string>& known);
// "; did you mean 'NAME'?" for a message, or "" when nothing is near.
std::string didYouMean(std::string_view written, const std::vector<std::string>& known);
// The same for a model name: the game's ped and vehicle models and the scenario's add-ons.
std::string modelHint(std::string_view written, const std::vector<AddonModel>& addons);

}  // namespace scenario
