// The HTML report of a run: one self-contained page (inline SVG, CSS and script, no network).
#pragma once

#include <string>

#include "scenario/format/scenario.h"
#include "scenario/run/run.h"

namespace scenario {

std::string renderReport(const Scenario& scenario, const RunResult& result);

// Text made safe for HTML element content and attribute values.
std::string escapeHtml(const std::string& text);

}  // namespace scenario
