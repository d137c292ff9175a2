// Where a path lies relative to a folder, as the system would resolve both.
#include "scenario/format/folder_paths.h"

#include <filesystem>
#include <system_error>

namespace scenario {

namespace fs = std::filesystem;

bool isInsideFolder(const std::string& path, const std::string& folder) {
    std::error_code error;
    const fs::path file = fs::weakly_canonical(fs::absolute(path, error), error);
    const fs::path root = fs::weakly_canonical(fs::absolute(folder, error), error);
    auto rootPart = root.begin();
    auto filePart = file.begin();
    for (; rootPart != root.end(); ++rootPart, ++filePart) {
        if (rootPart->empty()) continue;  // the empty last part of "a/b/"
        if (filePart == file.end() || *filePart != *rootPart) return false;
    }
    return true;
}

}  // namespace scenario
