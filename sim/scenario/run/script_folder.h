// The folder a run gives the script: a fresh one per run, holding the settings file the scenario
// supplies and, after the run, the log the script wrote there.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace scenario {

// The folder could not be made or the settings copy not written in full; the message gives the
// operating system's reason.
class ScriptFolderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ScriptFolder {
public:
    // Makes the folder and writes TobekGunner.ini into it when `settingsText` is given; throws
    // ScriptFolderError (having removed what it made) when either fails.
    explicit ScriptFolder(const std::optional<std::string>& settingsText);
    ~ScriptFolder();
    ScriptFolder(const ScriptFolder&) = delete;
    ScriptFolder& operator=(const ScriptFolder&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    // Where the script library is said to lie, inside the folder.
    std::string scriptPath() const;
    // What the script has written to TobekGunner.log so far ("" when nothing).
    std::string readLog() const;

private:
    std::filesystem::path folder_;
};

}  // namespace scenario
