// Output files and folders that remove only what this run made.
#include "scenario/outputs/output_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "scenario/outputs/path_safety.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace scenario {

namespace fs = std::filesystem;

namespace {

// The longest file name most file systems take (NAME_MAX).
constexpr std::size_t longestName = 255;
constexpr std::size_t suffixRoom = sizeof ".partial" - 1 + 2;  // ".partial" and up to two digits

// A name beside `target` that nothing uses yet, so a file of someone else's is never overwritten;
// a long target name is cut so that the temporary name stays within the limit too.
std::string freeTemporaryName(const std::string& target) {
    std::error_code error;
    std::string stem = target;
    const std::string leaf = fs::path(target).filename().string();
    if (leaf.size() + suffixRoom > longestName) stem.resize(target.size() - leaf.size() + longestName - suffixRoom);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = stem + ".partial" + (attempt == 0 ? std::string() : std::to_string(attempt));
        if (!fs::exists(fs::symlink_status(name, error))) return name;
    }
    return "";
}

}  // namespace

PendingFile::PendingFile(std::string path) : path_(std::move(path)) {
    if (path_.empty()) return;
    if (path_ == "-") {
        file_ = stdout;
        return;
    }
    int fd = -1;
    if (isStreamAlias(path_, fd)) {
        // One of this process's own streams: written through a copy of its descriptor, which shares
        // the stream's place in its file, so nothing written there before is overwritten.
#ifndef _WIN32
        const int copy = ::dup(fd);
        file_ = copy < 0 ? nullptr : ::fdopen(copy, "wb");
        if (file_ == nullptr) problem_ = std::strerror(errno);
        if (file_ == nullptr && copy >= 0) ::close(copy);
        return;
#endif
    }
    std::error_code error;
    target_ = path_;
    if (fs::is_symlink(fs::symlink_status(target_, error))) {
        // Replace the file the link names, never the link itself.
        const fs::path resolved = fs::weakly_canonical(target_, error);
        if (!error) target_ = resolved.string();
    }
    const fs::file_status status = fs::status(target_, error);
    if (fs::is_directory(status)) {
        problem_ = std::strerror(EISDIR);
        return;
    }
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        file_ = std::fopen(target_.c_str(), "wb");  // a device or a pipe: write into it
        if (file_ == nullptr) problem_ = std::strerror(errno);
        return;
    }
    temporary_ = freeTemporaryName(target_);
    file_ = temporary_.empty() ? nullptr : std::fopen(temporary_.c_str(), "wb");
    if (file_ == nullptr) {
        problem_ = temporary_.empty() ? "every temporary name beside it is taken" : std::strerror(errno);
        temporary_.clear();
    }
}

PendingFile::~PendingFile() { discard(); }

bool PendingFile::commit() {
    if (file_ == nullptr) return false;
    const bool written = std::fflush(file_) == 0 && std::ferror(file_) == 0;
    if (!written) failure_ = std::strerror(errno != 0 ? errno : EIO);
    errno = 0;
    const bool closed = file_ == stdout || std::fclose(file_) == 0;
    if (written && !closed) failure_ = std::strerror(errno != 0 ? errno : EIO);
    file_ = nullptr;
    if (temporary_.empty()) return written && closed;
    std::error_code error;
    if (written && closed) {
        fs::rename(temporary_, target_, error);
        if (!error) {
            temporary_.clear();
            return true;
        }
        failure_ = error.message();
    }
    fs::remove(temporary_, error);
    temporary_.clear();
    return false;
}

void PendingFile::discard() {
    if (file_ == nullptr) return;
    if (file_ == stdout) {
        std::fflush(file_);
    } else {
        std::fclose(file_);
    }
    file_ = nullptr;
    if (temporary_.empty()) return;
    std::error_code error;
    fs::remove(temporary_, error);
    temporary_.clear();
}

bool OutputFolder::create(const std::string& path) {
    std::error_code error;
    // The missing levels, outermost first.
    std::vector<fs::path> missing;
    for (fs::path level = fs::absolute(path, error).lexically_normal(); !level.empty(); level = level.parent_path()) {
        if (level.filename().empty()) level = level.parent_path();  // a trailing slash
        if (fs::exists(fs::symlink_status(level, error))) break;
        missing.insert(missing.begin(), level);
        if (level == level.parent_path()) break;
    }
    for (const fs::path& level : missing) {
        if (!fs::create_directory(level, error) || error) {
            problem_ = error ? error.message() : "cannot create " + level.string();
            removeCreated();
            return false;
        }
        created_.push_back(level.string());
    }
    if (!fs::is_directory(path, error)) {
        problem_ = "it is not a folder";
        removeCreated();
        return false;
    }
    return true;
}

void OutputFolder::removeCreated() {
    std::error_code error;
    for (auto level = created_.rbegin(); level != created_.rend(); ++level) fs::remove(*level, error);
    created_.clear();
}

}  // namespace scenario
