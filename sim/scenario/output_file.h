// An output file that appears under its real name only once it has been written in full.
#pragma once

#include <cstdio>
#include <string>

namespace scenario {

class PendingFile {
public:
    // Opens a temporary file beside `path`; nothing is created when `path` is empty.
    explicit PendingFile(std::string path);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    bool wanted() const { return !path_.empty(); }
    bool ok() const { return file_ != nullptr; }
    std::FILE* file() { return file_; }
    const std::string& path() const { return path_; }
    // The operating system's reason for the last fault ("No space left on device").
    const std::string& failure() const { return failure_; }
    // Closes the file and gives it its real name; false (with the file removed) on any fault.
    bool commit();
    // Closes and removes the temporary file.
    void discard();

private:
    std::string path_;
    std::string temporary_;
    std::FILE* file_ = nullptr;
    std::string failure_;
};

}  // namespace scenario
