// What a narration line is about, and the name it goes by in the console, the JSON and the report.
#pragma once

#include <cstdint>
#include <string_view>

namespace scenario {

enum class NarrationKind : std::uint8_t {
    Input,    // keys, buttons and the window's focus
    World,    // what the timeline or the world did
    Menu,     // the script's vehicle menu
    Spawn,    // a crew being made or dismissed
    Message,  // the status line on screen
    Mode,     // attack mode changes
    Crew,     // the crew's own doings (re-boarding, giving up)
    Target,   // the gunner's choice of target
    Fire,     // shot orders and bursts
    Wanted,   // the wanted level the script raises
    Check,    // an expectation checked
    Warning,  // something the script refused, such as a settings line (shown even when quiet)
};

constexpr std::string_view kindName(NarrationKind kind) {
    switch (kind) {
        case NarrationKind::Input:
            return "input";
        case NarrationKind::World:
            return "world";
        case NarrationKind::Menu:
            return "menu";
        case NarrationKind::Spawn:
            return "spawn";
        case NarrationKind::Message:
            return "message";
        case NarrationKind::Mode:
            return "mode";
        case NarrationKind::Crew:
            return "crew";
        case NarrationKind::Target:
            return "target";
        case NarrationKind::Fire:
            return "fire";
        case NarrationKind::Wanted:
            return "wanted";
        case NarrationKind::Check:
            return "check";
        case NarrationKind::Warning:
            return "warning";
    }
    return "?";
}

}  // namespace scenario
