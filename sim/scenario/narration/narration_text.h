// How the narration writes numbers: a place, a time, a reading in a pattern.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "world/vec3.h"

namespace scenario {

// `pattern` holds up to three %f conversions.
inline std::string format(const char* pattern, double a, double b = 0.0, double c = 0.0) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, pattern, a, b, c);
    return buffer;
}

// "(1.0, 2.0, 3.0)"
inline std::string pointText(sim::Vec3 p) { return format("(%.1f, %.1f, %.1f)", p.x, p.y, p.z); }

// "1.5 s"
inline std::string seconds(std::uint64_t ms) { return format("%.1f s", static_cast<double>(ms) / 1000.0); }

}  // namespace scenario
