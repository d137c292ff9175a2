// Output files that never clobber what they do not own: a regular file (or a new one) appears
// under its real name only when it has been written in full; devices, pipes and "-" are
// written straight through.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace scenario {

class PendingFile {
public:
    // Opens where the output goes: a temporary file beside `path` (or beside the file a symbolic
    // link names) when that is a regular file or nothing yet; `path` itself when it is a device
    // or a pipe; standard output for "-". Nothing is opened when `path` is empty.
    explicit PendingFile(std::string path);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    bool wanted() const { return !path_.empty(); }
    bool ok() const { return file_ != nullptr; }
    // Why the file could not be opened, for a message ("" when it could).
    const std::string& problem() const { return problem_; }
    std::FILE* file() { return file_; }
    const std::string& path() const { return path_; }
    // The operating system's reason for the last fault in commit() ("No space left on device").
    const std::string& failure() const { return failure_; }
    // Closes the file and gives a temporary file its real name; false (with the temporary
    // file removed) on any fault.
    bool commit();
    // Closes and removes the temporary file; what was written straight through stays.
    void discard();

private:
    std::string path_;
    std::string target_;     // where the temporary file goes once complete
    std::string temporary_;  // empty when writing straight through
    std::string problem_;
    std::FILE* file_ = nullptr;
    std::string failure_;
};

// A folder made for the outputs: only the levels this run created are removed again.
class OutputFolder {
public:
    // Creates `path` and any missing parents; false with `problem()` set on a fault (having
    // removed what it made).
    bool create(const std::string& path);
    const std::string& problem() const { return problem_; }
    // Removes the folders this run created, innermost first, where they are empty.
    void removeCreated();

private:
    std::vector<std::string> created_;
    std::string problem_;
};

}  // namespace scenario
