// Files beside the script library: the settings it reads and the log it writes.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

enum class FileRead { ok, missing, unreadable, tooLarge };

// Reads the whole file into `text` when it holds at most `limit` bytes.
FileRead readFileBeside(const char* fileName, std::size_t limit, std::string& text);

// Creates the file afresh (emptying an old one) for writing; null when that is not possible.
std::FILE* createFileBeside(const char* fileName);
