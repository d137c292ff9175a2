// The docs' reference tables of timeline events and expectation checks, made from the tables.
#include <stdexcept>

#include "scenario/format/kinds.h"

namespace scenario {
namespace {

std::string fieldsText(const EventKind& kind) {
    std::string text;
    for (const auto& field : kind.fields) {
        text += (text.empty() ? "`" : ", `") + std::string(field.name) + "`";
        if (!field.doc.empty()) text += " (" + std::string(field.doc) + ")";
    }
    return text;
}

// Replaces the lines between `<!-- begin NAME -->` and `<!-- end NAME -->` in `doc` with `table`.
std::string replaceSection(const std::string& doc, const std::string& name, const std::string& table) {
    const std::string begin = "<!-- begin " + name + " -->\n";
    const std::string end = "<!-- end " + name + " -->\n";
    const auto from = doc.find(begin);
    const auto to = doc.find(end);
    if (from == std::string::npos || to == std::string::npos || to < from)
        throw std::runtime_error("no '" + begin.substr(0, begin.size() - 1) + "' ... '" +
                                 end.substr(0, end.size() - 1) + "' section");
    return doc.substr(0, from + begin.size()) + table + doc.substr(to);
}

}  // namespace

std::string eventReference() {
    std::string table = "| event | extra keys | effect |\n|---|---|---|\n";
    for (const auto& kind : eventKinds()) {
        for (std::size_t i = 0; i < kind.uses.size(); ++i) {
            const std::string fields = i == 0 ? fieldsText(kind) : std::string();
            table += "| " + std::string(kind.uses[i].example) + " | " + fields + (fields.empty() ? "" : " ") + "| " +
                     std::string(kind.uses[i].effect) + " |\n";
        }
    }
    return table;
}

std::string checkReference() {
    std::string table = "| check | holds when |\n|---|---|\n";
    for (const auto& kind : checkKinds())
        table += "| " + std::string(kind.usage) + " | " + std::string(kind.holdsWhen) + " |\n";
    return table;
}

std::string withReferenceTables(const std::string& doc) {
    return replaceSection(replaceSection(doc, "timeline events", eventReference()), "expectation checks",
                          checkReference());
}

}  // namespace scenario
