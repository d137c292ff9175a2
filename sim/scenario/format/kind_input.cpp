// Reading a timeline entry's names and an expectation's ped names, for the tables' readers.
#include "scenario/format/kind_input.h"

namespace scenario {
namespace parse {

void EventInput::mustBeTrue() const {
    if (!reader.boolean(value, valueField()))
        reader.fail(value, valueField(), "write '" + key + " = true' or leave it out");
}

std::string EventInput::reference(const toml::node& node, const std::string& where,
                                  std::initializer_list<std::string_view> reserved, bool peds, bool vehicles) const {
    const std::string name = reader.string(node, where);
    for (const auto allowed : reserved) {
        if (name == allowed) return name;
    }
    if (peds && names.peds.contains(name)) return name;
    if (vehicles && names.vehicles.contains(name)) return name;
    std::string expected;
    for (const auto allowed : reserved) expected += (expected.empty() ? "\"" : ", \"") + std::string(allowed) + "\"";
    if (peds) expected += std::string(expected.empty() ? "" : ", ") + "a ped of the world";
    if (vehicles) expected += std::string(expected.empty() ? "" : ", ") + "a vehicle of the world";
    reader.fail(node, where, "unknown name '" + name + "' (expected " + expected + ")");
}

std::string CheckInput::pedName(const toml::node& item) const {
    const std::string name = reader.string(item, field);
    if (!names.peds.contains(name)) reader.fail(item, field, "unknown ped '" + name + "'");
    return name;
}

}  // namespace parse

}  // namespace scenario
