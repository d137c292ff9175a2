// Scenario text written inside a test: its reader's error, or a run of it by the linked script.
#pragma once

#include <string>

#include "scenario/run/run.h"

namespace test {

// The reader's error message for `text` (read as bad.toml), or "(accepted)".
std::string parseError(const std::string& text);

// `text` (read as inline.toml) played by the linked script; `crossCheck` compares the narration
// with the script's own state every frame, `report` keeps what a report would show.
scenario::RunResult playInline(const std::string& text, bool crossCheck = true, bool report = false);

}  // namespace test
