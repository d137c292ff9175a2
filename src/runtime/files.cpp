// The folder comes from the module handle the library was loaded under, so the files sit beside
// the .asi wherever the player put it.
#include "runtime/files.h"

#include <cerrno>
#include <filesystem>
#include <string>

#include "runtime/platform.h"
#include "runtime/state.h"

namespace {

// Longest path Windows hands out, in UTF-16 units.
constexpr DWORD longestPath = 32768;

std::filesystem::path scriptFolder() {
    std::wstring buffer(longestPath, L'\0');
    const DWORD length = GetModuleFileNameW(static_cast<HMODULE>(state.scriptModule), buffer.data(), longestPath);
    if (length == 0 || length >= longestPath) return {};
    buffer.resize(length);
    return std::filesystem::path(buffer).parent_path();
}

std::FILE* openBeside(const char* fileName, bool forWriting) {
    const std::filesystem::path folder = scriptFolder();
    if (folder.empty()) {
        errno = ENOENT;
        return nullptr;
    }
    const std::filesystem::path file = folder / fileName;
#if defined(_WIN32)
    return _wfopen(file.c_str(), forWriting ? L"wb" : L"rb");
#else
    return std::fopen(file.c_str(), forWriting ? "wb" : "rb");
#endif
}

}  // namespace

FileRead readFileBeside(const char* fileName, std::size_t limit, std::string& text) {
    text.clear();
    errno = 0;
    std::FILE* file = openBeside(fileName, false);
    if (file == nullptr) return errno == ENOENT ? FileRead::missing : FileRead::unreadable;
    char chunk[4096];
    FileRead result = FileRead::ok;
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
        if (text.size() + got > limit) {
            result = FileRead::tooLarge;
            break;
        }
        text.append(chunk, got);
        if (got < sizeof chunk) {
            if (std::ferror(file) != 0) result = FileRead::unreadable;
            break;
        }
    }
    std::fclose(file);
    if (result != FileRead::ok) text.clear();
    return result;
}

std::FILE* createFileBeside(const char* fileName) { return openBeside(fileName, true); }
