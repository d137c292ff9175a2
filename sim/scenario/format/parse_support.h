// Helpers shared by the scenario parser's parts: typed field readers that fail with a position.
#pragma once

#include <toml++/toml.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <set>
#include <span>
#include <string>
#include <string_view>

#include "scenario/format/parser.h"
#include "scenario/format/scenario.h"

namespace scenario::parse {

// What the timeline and expectation readers may refer to by name.
struct Names {
    std::set<std::string> peds;
    std::set<std::string> vehicles;
};

class Reader {
public:
    explicit Reader(std::string file) : file_(std::move(file)) {}

    const std::string& file() const { return file_; }
    Origin origin(const toml::source_region& region) const;
    Origin origin(const toml::node& node) const { return origin(node.source()); }

    [[noreturn]] void fail(const toml::node& node, const std::string& field, const std::string& reason) const;
    [[noreturn]] void fail(const Origin& where, const std::string& field, const std::string& reason) const;

    // Fails on the first key of `table` that is not in `allowed`.
    void onlyKeys(const toml::table& table, const std::string& path, std::span<const std::string_view> allowed,
                  std::string_view what) const;
    void onlyKeys(const toml::table& table, const std::string& path, std::initializer_list<std::string_view> allowed,
                  std::string_view what) const {
        onlyKeys(table, path, std::span(allowed.begin(), allowed.size()), what);
    }

    const toml::table& table(const toml::node& node, const std::string& field) const;
    const toml::array& array(const toml::node& node, const std::string& field) const;
    std::int64_t integer(const toml::node& node, const std::string& field, std::int64_t min, std::int64_t max) const;
    std::uint32_t time(const toml::node& node, const std::string& field) const;
    float number(const toml::node& node, const std::string& field) const;
    bool boolean(const toml::node& node, const std::string& field) const;
    std::string string(const toml::node& node, const std::string& field) const;
    sim::Vec3 vec3(const toml::node& node, const std::string& field) const;

private:
    std::string file_;
};

// "a.b" for messages; empty parts are dropped.
std::string join(const std::string& path, std::string_view key);
std::string indexed(const std::string& path, std::size_t index);

// "a, b, c" for the "known:" lists of messages: each item by the name `nameOf` gives it.
template <class Items, class NameOf = std::identity>
std::string commaList(const Items& items, NameOf nameOf = {}) {
    std::string list;
    for (const auto& item : items) list += (list.empty() ? "" : ", ") + std::string(nameOf(item));
    return list;
}

// The [world] table (parse_world.cpp); the names it places are noted in `names`.
void readWorld(const Reader& reader, const toml::table& table, WorldSetup& world, Names& names);
// Adds to `names` the peds the timeline brings in, for the entries and expectations after them.
void readTimeline(const Reader& reader, const toml::node& node, Names& names, Scenario& scenario);
void readExpectations(const Reader& reader, const toml::node& node, const Names& names, Scenario& scenario);
// Reads [settings] or settings_file (not both) from the top level into the scenario's settings text.
void readSettings(const Reader& reader, const toml::table& root, Scenario& scenario);

}  // namespace scenario::parse
