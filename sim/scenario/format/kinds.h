// The tables of timeline events and expectation checks: each one's key in a scenario, how it is
// read, what it does or checks, and its line in the docs. Adding an event or a check is an entry
// and its functions, in the file of its group.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scenario {

struct TimelineEvent;
struct Expectation;
struct CheckResult;
struct EventStage;
struct CheckStage;
namespace parse {
struct EventInput;
struct CheckInput;
}  // namespace parse

// A field an event takes besides its own key and `at`.
struct EventField {
    std::string_view name;
    std::string_view doc;  // markdown, after the name in the docs
};

// One row of the docs' event table: a way to write the event, and what it does.
struct EventUse {
    std::string_view example;
    std::string_view effect;
};

struct EventKind {
    std::string_view key;
    std::vector<EventField> fields;
    std::vector<EventUse> uses;  // the first row also lists the fields
    void (*parse)(const parse::EventInput& input, TimelineEvent& event);
    void (*apply)(EventStage& stage);  // also narrates
    bool placesPed = false;            // its subject is a new ped that later entries may name
};

struct CheckKind {
    std::string_view key;
    std::string_view usage;                                            // how it is written, markdown
    std::string_view holdsWhen;                                        // docs line
    void (*parse)(const parse::CheckInput& input, Expectation check);  // adds the check(s) it reads
    void (*evaluate)(CheckStage& stage, const Expectation& check, CheckResult& out);
};

// In the order of the docs and of the parser's "known:" lists.
const std::vector<EventKind>& eventKinds();
const std::vector<CheckKind>& checkKinds();
const EventKind* findEventKind(std::string_view key);
const CheckKind* findCheckKind(std::string_view key);

// The markdown tables of docs/scenarios.md made from the above.
std::string eventReference();
std::string checkReference();
// `doc` (docs/scenarios.md) with the lines between `<!-- begin timeline events -->` and
// `<!-- end timeline events -->`, and likewise `expectation checks`, replaced by those tables;
// throws std::runtime_error when a pair of marker lines is missing.
std::string withReferenceTables(const std::string& doc);

}  // namespace scenario
