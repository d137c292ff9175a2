// Path identity by the file system's own answer (std::filesystem::equivalent) where a file
// exists, and by the canonical spelling where it does not yet.
#include "scenario/outputs/path_safety.h"

#include <filesystem>
#include <system_error>

#include "scenario/format/folder_paths.h"
#include "scenario/outputs/output_file.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

bool isCharacterDevice(const std::string& path) {
    std::error_code error;
    return fs::is_character_file(fs::status(path, error));
}

// A link whose target cannot be reached: the system would create a file somewhere unexpected or
// fail, and replacing the link would break what the user set up.
bool isBrokenLink(const std::string& path) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error))) return false;
    return !fs::exists(fs::status(path, error));
}

bool samePath(const std::string& a, const std::string& b) {
    if (a == "-" || b == "-") return a == b;
    std::error_code error;
    if (fs::exists(fs::status(a, error)) && fs::exists(fs::status(b, error))) {
        const bool same = fs::equivalent(a, b, error);
        return !error && same;
    }
    const fs::path first = fs::weakly_canonical(fs::absolute(a, error), error);
    const fs::path second = fs::weakly_canonical(fs::absolute(b, error), error);
    return first.lexically_normal() == second.lexically_normal();
}

}  // namespace

bool isStreamAlias(const std::string& path, int& fd) {
    if (path == "/dev/stdout" || path == "/dev/stderr") {
        fd = path == "/dev/stdout" ? 1 : 2;
        return true;
    }
    for (const std::string prefix : {"/dev/fd/", "/proc/self/fd/"}) {
        if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string number = path.substr(prefix.size());
        if (number.size() > 4 || number.find_first_not_of("0123456789") != std::string::npos) return false;
        fd = std::stoi(number);
        return true;
    }
    return false;
}

std::string unsafeOutputReason(const std::vector<RunPath>& paths, const std::string& reportDir) {
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const RunPath& output = paths[i];
        if (!output.isOutput || output.path == "-") continue;
        if (isBrokenLink(output.path)) {
            return output.role + " " + output.path +
                   " is a link to nothing (or a loop of links): give the file itself, or fix the link";
        }
        if (!reportDir.empty() && output.role != "the report" && isInsideFolder(output.path, reportDir))
            return output.role + " " + output.path + " may not be inside the report folder " + reportDir;
    }
    for (std::size_t i = 0; i < paths.size(); ++i) {
        for (std::size_t j = 0; j < paths.size(); ++j) {
            const RunPath& output = paths[i];
            const RunPath& other = paths[j];
            if (i == j || !output.isOutput || (other.isOutput && j < i)) continue;
            if (!samePath(output.path, other.path)) continue;
            if (output.path != "-" && isCharacterDevice(output.path)) continue;
            if (output.path == "-" && !other.isOutput) continue;  // standard output vs. standard input
            return output.role + " " + output.path + " would be written over " + other.role + " " + other.path;
        }
    }
    return "";
}

}  // namespace scenario
