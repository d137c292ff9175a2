// Turns what the page asks for (a JSON object such as {"shoot": "biker", "target": "player"}) into
// the text of a scenario timeline entry, so that a played session is written exactly as it was played.
#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

namespace play {

// The fields of one entry, without `at`, as TOML (`shoot = "biker", target = "player"`), in the
// order the page wrote them. Throws std::invalid_argument for a value TOML cannot hold here
// (nested objects, non-finite numbers, control characters).
std::string entryFields(const nlohmann::ordered_json& fields);

// `{ at = 1200, shoot = "biker" }`
std::string entryAt(std::uint64_t atMs, const std::string& fields);

// A number as TOML writes a float: the shortest text that reads back as the same float, always
// with a decimal point or exponent.
std::string floatText(double value);

// A TOML basic string: quoted, with backslashes and quotes escaped.
std::string quoted(const std::string& text);

}  // namespace play
