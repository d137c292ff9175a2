// The settings lines the script refused, told as warnings: the script reads TobekGunner.ini as it
// starts and names each refused line in its log, which is all a player would see of them.
#include <sstream>

#include "scenario/run/run_state.h"

namespace scenario {
namespace {

constexpr std::string_view settingsFile = "TobekGunner.ini";
// "2026-12-09 05:06:49.036 ": the wall-clock stamp that opens every log line.
constexpr std::size_t stampLength = 24;

// The line without its time stamp when it is about a refused settings line or file, else "".
std::string settingsWarning(const std::string& line) {
    const std::size_t at = line.find(settingsFile);
    if (at == std::string::npos || at > stampLength) return "";
    return line.substr(at);
}

}  // namespace

void Run::tellRejectedSettings() {
    settingsTold_ = true;
    std::istringstream log(readLog());
    for (std::string line; std::getline(log, line);) {
        if (const std::string warning = settingsWarning(line); !warning.empty()) say(NarrationKind::Warning, warning);
    }
}

}  // namespace scenario
