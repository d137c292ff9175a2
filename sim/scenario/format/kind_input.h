// What the event and check tables' readers work with: a timeline entry or an expectation being read.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "scenario/format/kinds.h"
#include "scenario/format/parse_support.h"

namespace scenario {

namespace parse {

// A timeline entry whose event key has been found, and its other fields checked against the kind's.
struct EventInput {
    const Reader& reader;
    const toml::table& entry;
    const toml::node& value;  // of the event's own key
    std::string field;        // the entry, "timeline[3]"
    std::string key;
    const Names& names;

    std::string valueField() const { return join(field, key); }
    std::string fieldOf(std::string_view name) const { return join(field, name); }
    const toml::node* extra(std::string_view name) const { return entry.get(name); }
    // For events written `key = true`, which have no other value.
    void mustBeTrue() const;
    // A name that must refer to something the event can act on.
    std::string reference(const toml::node& node, const std::string& where,
                          std::initializer_list<std::string_view> reserved, bool peds, bool vehicles) const;
    std::string subject(std::initializer_list<std::string_view> reserved, bool peds, bool vehicles) const {
        return reference(value, valueField(), reserved, peds, vehicles);
    }
};

// One check of an `[[expect]]` table.
struct CheckInput {
    const Reader& reader;
    const toml::node& node;
    std::string field;
    const Names& names;
    ExpectationGroup& group;

    void add(Expectation check) const { group.checks.push_back(std::move(check)); }
    std::string pedName(const toml::node& item) const;
};

}  // namespace parse

}  // namespace scenario
