// Parts of the HTML report: the map, the tables of peds and crews, the timeline list.
#pragma once

#include <cstddef>
#include <string>

#include "scenario/run/run.h"

namespace scenario {

// A number with a fixed count of decimals, as the page's SVG and text use it.
std::string num(double value, int decimals = 1);

// The top-down map: paths, shots, every crew with where and why it was given up, a metre grid
// and scale, labels kept apart, and the markers the page's script moves with the time slider.
std::string mapSvg(const RunResult& result);

// Who each ped was, how many shot orders were aimed at it, and when it went down or vanished.
std::string pedTable(const RunResult& result);

// Every crew spawned: vehicle, model, when and where it came, when, where and why it was given up.
std::string crewTable(const RunResult& result);

// The narrated timeline; past `cap` lines only the first and last halves are kept, and a line
// says how many were left out, so that a page of a long run still opens.
std::string timelineHtml(const RunResult& result, std::size_t cap = 20000);

}  // namespace scenario
