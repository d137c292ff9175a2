// The scenario parser: the timeline's entries and the expectations, by the tables of kinds.h.
#include <algorithm>

#include "scenario/format/kind_input.h"
#include "scenario/format/nearest_name.h"

namespace scenario::parse {
namespace {

std::string eventList() {
    return commaList(eventKinds(), [](const EventKind& kind) { return kind.key; });
}

std::string eventHint(std::string_view written) {
    std::vector<std::string> keys;
    for (const auto& kind : eventKinds()) keys.emplace_back(kind.key);
    return didYouMean(written, keys);
}

// "at" and every check's key, for the unknown-key message.
const std::vector<std::string_view>& expectationKeys() {
    static const std::vector<std::string_view> keys = [] {
        std::vector<std::string_view> all{"at"};
        for (const auto& kind : checkKinds()) all.push_back(kind.key);
        return all;
    }();
    return keys;
}

void readEvent(const Reader& reader, const toml::table& entry, const std::string& field, const Names& names,
               TimelineEvent& event) {
    const auto* at = entry.get("at");
    if (at == nullptr) reader.fail(entry, join(field, "at"), "missing: when the event happens, in ms");
    event.atMs = reader.time(*at, join(field, "at"));

    const EventKind* kind = nullptr;
    const toml::node* value = nullptr;
    std::string key;
    for (auto&& [name, node] : entry) {
        if (name.str() == "at") continue;
        const EventKind* found = findEventKind(name.str());
        if (found == nullptr) continue;
        if (kind != nullptr) {
            reader.fail(reader.origin(name.source()), join(field, name.str()),
                        "one event per entry: found both '" + key + "' and '" + std::string(name.str()) + "'");
        }
        kind = found;
        value = &node;
        key = std::string(name.str());
    }
    if (kind == nullptr) {
        for (auto&& [name, node] : entry) {
            if (name.str() == "at") continue;
            reader.fail(reader.origin(name.source()), join(field, name.str()),
                        "unknown event '" + std::string(name.str()) + "'" + eventHint(name.str()) +
                            " (known: " + eventList() + ")");
        }
        reader.fail(entry, field, "no event given (known: " + eventList() + ")");
    }
    for (auto&& [name, node] : entry) {
        if (name.str() == "at" || name.str() == key) continue;
        const auto fieldName = [](const EventField& field) { return field.name; };
        if (std::ranges::find(kind->fields, name.str(), fieldName) != kind->fields.end()) continue;
        const std::string list = commaList(kind->fields, fieldName);
        reader.fail(reader.origin(name.source()), join(field, name.str()),
                    "unknown field '" + std::string(name.str()) + "' for a '" + key + "' event" +
                        (list.empty() ? std::string(" (it takes none)") : " (it takes: " + list + ")"));
    }

    event.kind = kind;
    kind->parse(EventInput{reader, entry, *value, field, key, names}, event);
}

}  // namespace

void readTimeline(const Reader& reader, const toml::node& node, Names& names, Scenario& scenario) {
    const auto& entries = reader.array(node, "timeline");
    if (entries.size() > maxTimelineEntries) {
        reader.fail(node, "timeline",
                    std::to_string(entries.size()) + " entries; the limit is " + std::to_string(maxTimelineEntries));
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string field = indexed("timeline", i);
        const auto& entry = reader.table(*entries.get(i), field);
        TimelineEvent event;
        event.origin = reader.origin(entry);
        readEvent(reader, entry, field, names, event);
        if (event.kind->placesPed) {
            if (names.peds.size() >= maxWorldPeds) {
                reader.fail(entry, field, "the world would hold more than " + std::to_string(maxWorldPeds) + " peds");
            }
            names.peds.insert(event.subject);
        }
        if (event.atMs > scenario.endMs) {
            reader.fail(*entry.get("at"), join(field, "at"),
                        "event at " + std::to_string(event.atMs) + " ms is after the end (" +
                            std::to_string(scenario.endMs) + " ms)");
        }
        scenario.timeline.push_back(std::move(event));
    }
}

void readExpectations(const Reader& reader, const toml::node& node, const Names& names, Scenario& scenario) {
    const auto& groups = reader.array(node, "expect");
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const std::string field = indexed("expect", i);
        const auto& entry = reader.table(*groups.get(i), field);
        reader.onlyKeys(entry, field, expectationKeys(), "expectation");
        ExpectationGroup group;
        group.origin = reader.origin(entry);
        for (auto&& [key, value] : entry) {
            if (key.str() == "at") {
                group.atMs = reader.time(value, join(field, "at"));
                if (*group.atMs > scenario.endMs) {
                    reader.fail(value, join(field, "at"),
                                "expectation at " + std::to_string(*group.atMs) + " ms is after the end (" +
                                    std::to_string(scenario.endMs) + " ms)");
                }
                continue;
            }
            Expectation check;
            check.kind = findCheckKind(key.str());
            check.origin = reader.origin(value);
            check.kind->parse(CheckInput{reader, value, join(field, key.str()), names, group}, check);
        }
        if (group.checks.empty()) reader.fail(entry, field, "an expectation needs at least one check");
        // Tables come back sorted by key; report the checks in the order they were written.
        std::stable_sort(group.checks.begin(), group.checks.end(), [](const Expectation& a, const Expectation& b) {
            return a.origin.line != b.origin.line ? a.origin.line < b.origin.line : a.origin.column < b.origin.column;
        });
        scenario.expectations.push_back(std::move(group));
    }
}

}  // namespace scenario::parse
