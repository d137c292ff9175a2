// Typed field readers for the scenario parser.
#include "scenario/format/parse_support.h"

#include "scenario/format/nearest_name.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace scenario {

std::string describe(const Origin& origin) {
    std::string text = origin.file;
    if (origin.line > 0) text += ":" + std::to_string(origin.line);
    return text;
}

ScenarioError::ScenarioError(Origin origin, std::string field, std::string reason)
    : std::runtime_error(describe(origin) + ": " + (field.empty() ? std::string() : field + ": ") + reason),
      origin_(std::move(origin)),
      field_(std::move(field)),
      reason_(std::move(reason)) {}

namespace parse {

std::string join(const std::string& path, std::string_view key) {
    if (path.empty()) return std::string(key);
    return path + "." + std::string(key);
}

std::string indexed(const std::string& path, std::size_t index) { return path + "[" + std::to_string(index) + "]"; }

Origin Reader::origin(const toml::source_region& region) const {
    return Origin{file_, static_cast<std::int64_t>(region.begin.line), static_cast<std::int64_t>(region.begin.column)};
}

void Reader::fail(const toml::node& node, const std::string& field, const std::string& reason) const {
    throw ScenarioError(origin(node), field, reason);
}

void Reader::fail(const Origin& where, const std::string& field, const std::string& reason) const {
    throw ScenarioError(where, field, reason);
}

void Reader::onlyKeys(const toml::table& table, const std::string& path, std::span<const std::string_view> allowed,
                      std::string_view what) const {
    for (auto&& [key, node] : table) {
        if (std::ranges::find(allowed, key.str()) != allowed.end()) continue;
        const std::string list = commaList(allowed);
        const bool topLevel =
            key.str() == "timeline" || key.str() == "expect" || key.str() == "end" || key.str() == "name";
        const std::string hint = !path.empty() && topLevel ? "; a top-level key written after a [table] header belongs "
                                                             "to that table: move it above the first header"
                                                           : "";
        throw ScenarioError(origin(key.source().begin.line > 0 ? key.source() : node.source()), join(path, key.str()),
                            "unknown " + std::string(what) + " '" + std::string(key.str()) + "'" +
                                didYouMean(key.str(), std::vector<std::string>(allowed.begin(), allowed.end())) +
                                " (known: " + list + ")" + hint);
    }
}

const toml::table& Reader::table(const toml::node& node, const std::string& field) const {
    if (const auto* found = node.as_table()) return *found;
    fail(node, field, "expected a table");
}

const toml::array& Reader::array(const toml::node& node, const std::string& field) const {
    if (const auto* found = node.as_array()) return *found;
    fail(node, field, "expected an array");
}

std::int64_t Reader::integer(const toml::node& node, const std::string& field, std::int64_t min,
                             std::int64_t max) const {
    const auto* value = node.as_integer();
    if (value == nullptr) fail(node, field, "expected a whole number");
    const std::int64_t number = value->get();
    if (number < min || number > max) {
        fail(node, field,
             "must be between " + std::to_string(min) + " and " + std::to_string(max) + ", not " +
                 std::to_string(number));
    }
    return number;
}

std::uint32_t Reader::time(const toml::node& node, const std::string& field) const {
    const auto* value = node.as_integer();
    if (value == nullptr) fail(node, field, "expected a time in whole milliseconds");
    if (value->get() < 0) fail(node, field, "negative time " + std::to_string(value->get()) + " ms");
    if (value->get() > std::numeric_limits<std::uint32_t>::max()) fail(node, field, "time beyond 2^32 ms");
    return static_cast<std::uint32_t>(value->get());
}

float Reader::number(const toml::node& node, const std::string& field) const {
    double value = 0.0;
    if (const auto* integer = node.as_integer()) {
        value = static_cast<double>(integer->get());
    } else if (const auto* floating = node.as_floating_point()) {
        value = floating->get();
    } else {
        fail(node, field, "expected a number");
    }
    if (!std::isfinite(value) || std::fabs(value) > 1.0e7) fail(node, field, "number out of range");
    return static_cast<float>(value);
}

bool Reader::boolean(const toml::node& node, const std::string& field) const {
    if (const auto* value = node.as_boolean()) return value->get();
    fail(node, field, "expected true or false");
}

std::string Reader::string(const toml::node& node, const std::string& field) const {
    if (const auto* value = node.as_string()) return value->get();
    fail(node, field, "expected a string");
}

sim::Vec3 Reader::vec3(const toml::node& node, const std::string& field) const {
    const auto* items = node.as_array();
    if (items == nullptr || items->size() != 3) fail(node, field, "expected three numbers [x, y, z]");
    return sim::Vec3{number(*items->get(0), field), number(*items->get(1), field), number(*items->get(2), field)};
}

}  // namespace parse
}  // namespace scenario
