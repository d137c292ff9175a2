// Run folders live under the system's temporary folder and are removed with the run.
#include "scenario/run/script_folder.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <system_error>

namespace scenario {
namespace {

// Unique across the runs of one process and, through the clock, across processes.
std::filesystem::path freshFolder() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (;;) {
        const std::filesystem::path candidate =
            base / ("tobek-gunner-run-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        if (std::filesystem::create_directory(candidate)) return candidate;
    }
}

}  // namespace

ScriptFolder::ScriptFolder(const std::optional<std::string>& settingsText) : folder_(freshFolder()) {
    if (!settingsText) return;
    std::ofstream out(folder_ / "TobekGunner.ini", std::ios::binary);
    out << *settingsText;
}

ScriptFolder::~ScriptFolder() {
    // A script library loaded from the folder (the Windows runner's) keeps it busy; it stays then.
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::string ScriptFolder::scriptPath() const { return (folder_ / "TobekGunner.asi").string(); }

std::string ScriptFolder::readLog() const {
    std::ifstream in(folder_ / "TobekGunner.log", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace scenario
