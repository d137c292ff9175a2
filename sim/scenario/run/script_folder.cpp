// Run folders live under the system's temporary folder and are removed with the run.
#include "scenario/run/script_folder.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <system_error>

namespace scenario {
namespace {

// Unique across the runs of one process and, through the clock, across processes.
std::filesystem::path freshFolder() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error) throw ScriptFolderError("no usable temporary folder (TMPDIR): " + error.message());
    for (;;) {
        const std::filesystem::path candidate =
            base / ("tobek-gunner-run-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        if (std::filesystem::create_directory(candidate, error)) return candidate;
        if (error) {
            throw ScriptFolderError("cannot make the script's folder in " + base.string() + ": " + error.message());
        }
    }
}

// False with errno set when the text could not all be written and closed.
bool writeWhole(const std::filesystem::path& path, const std::string& text) {
    std::FILE* out = std::fopen(path.string().c_str(), "wb");
    if (out == nullptr) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size() && std::fflush(out) == 0;
    const int reason = errno;
    const bool closed = std::fclose(out) == 0;
    if (!written) errno = reason != 0 ? reason : EIO;
    return written && closed;
}

}  // namespace

ScriptFolder::ScriptFolder(const std::optional<std::string>& settingsText) : folder_(freshFolder()) {
    if (!settingsText) return;
    errno = 0;
    if (!writeWhole(folder_ / "TobekGunner.ini", *settingsText)) {
        const std::string reason = std::strerror(errno != 0 ? errno : EIO);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
        throw ScriptFolderError("cannot write the settings copy " + (folder_ / "TobekGunner.ini").string() + ": " +
                                reason);
    }
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
