// Temporary-then-rename output files.
#include "scenario/output_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace scenario {

PendingFile::PendingFile(std::string path) : path_(std::move(path)) {
    if (path_.empty()) return;
    temporary_ = path_ + ".partial";
    file_ = std::fopen(temporary_.c_str(), "wb");
    if (file_ == nullptr) failure_ = std::strerror(errno);
}

PendingFile::~PendingFile() { discard(); }

bool PendingFile::commit() {
    if (file_ == nullptr) return false;
    const bool written = std::fflush(file_) == 0 && std::ferror(file_) == 0;
    if (!written) failure_ = std::strerror(errno != 0 ? errno : EIO);
    errno = 0;
    const bool closed = std::fclose(file_) == 0;
    if (written && !closed) failure_ = std::strerror(errno != 0 ? errno : EIO);
    file_ = nullptr;
    std::error_code error;
    if (written && closed) {
        std::filesystem::rename(temporary_, path_, error);
        if (!error) return true;
        failure_ = error.message();
    }
    std::filesystem::remove(temporary_, error);
    return false;
}

void PendingFile::discard() {
    if (file_ == nullptr) return;
    std::fclose(file_);
    file_ = nullptr;
    std::error_code error;
    std::filesystem::remove(temporary_, error);
}

}  // namespace scenario
