// Loading the script library and rewriting its import address table.
#include "windows/script_loader.h"

#include "host/host_api.h"

#include <cstring>
#include <string.h>

namespace sim {

int redirectImport(HMODULE module, const char* library, const char* function, void* replacement) {
    auto* base = reinterpret_cast<unsigned char*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE) return 0;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE || nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC) return 0;
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) return 0;

    int rewritten = 0;
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name != 0;
         ++entry) {
        if (_stricmp(reinterpret_cast<const char*>(base + entry->Name), library) != 0) continue;
        // The lookup table keeps the imported names; the address table, entry for entry, the
        // addresses the loader bound. Without the lookup table the names are gone.
        if (entry->OriginalFirstThunk == 0) continue;
        const auto* lookup = reinterpret_cast<const IMAGE_THUNK_DATA64*>(base + entry->OriginalFirstThunk);
        auto* bound = reinterpret_cast<IMAGE_THUNK_DATA64*>(base + entry->FirstThunk);
        for (; lookup->u1.AddressOfData != 0; ++lookup, ++bound) {
            if (IMAGE_SNAP_BY_ORDINAL64(lookup->u1.Ordinal)) continue;
            const auto* named = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + lookup->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(named->Name), function) != 0) continue;
            // The table may sit in a read-only section (MSVC puts it in .rdata).
            DWORD protection = 0;
            if (!VirtualProtect(&bound->u1.Function, sizeof bound->u1.Function, PAGE_READWRITE, &protection)) continue;
            bound->u1.Function = reinterpret_cast<ULONGLONG>(replacement);
            VirtualProtect(&bound->u1.Function, sizeof bound->u1.Function, protection, &protection);
            ++rewritten;
        }
    }
    return rewritten;
}

LoadedScript loadScript(const std::string& path) {
    LoadedScript loaded;
    loaded.module = LoadLibraryA(path.c_str());
    if (loaded.module == nullptr) {
        loaded.error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
        return loaded;
    }
    struct Redirect {
        const char* library;
        const char* function;
        void* replacement;
    };
    const Redirect redirects[] = {
        {"kernel32.dll", "GetTickCount", reinterpret_cast<void*>(&simGetTickCount)},
        {"user32.dll", "GetAsyncKeyState", reinterpret_cast<void*>(&simGetAsyncKeyState)},
        {"user32.dll", "GetForegroundWindow", reinterpret_cast<void*>(&simGetForegroundWindow)},
        {"user32.dll", "GetWindowThreadProcessId", reinterpret_cast<void*>(&simGetWindowThreadProcessId)},
    };
    for (const Redirect& redirect : redirects) {
        if (redirectImport(loaded.module, redirect.library, redirect.function, redirect.replacement) != 0) continue;
        if (!loaded.error.empty()) loaded.error += "; ";
        loaded.error += path + " imports no " + redirect.function + " from " + redirect.library;
    }
    return loaded;
}

std::string scriptBesideProgram() {
    char buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    std::string path(buffer, length);
    const auto slash = path.find_last_of("\\/");
    path.erase(slash == std::string::npos ? 0 : slash + 1);
    return path + "TobekGunner.asi";
}

}  // namespace sim
