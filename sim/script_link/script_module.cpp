// Binds the linked script's two load-time entry points without including any script header.
#include "script_link/script_module.h"

#include <cstdint>

struct HINSTANCE__;
extern "C" int DllMain(HINSTANCE__* module, std::uint32_t reason, void* reserved);
void resetScriptState();

namespace sim {
namespace {

int callDllMain(void* module, std::uint32_t reason, void* reserved) {
    return DllMain(static_cast<HINSTANCE__*>(module), reason, reserved);
}

}  // namespace

ScriptModule linkedScript() { return ScriptModule{&resetScriptState, &callDllMain}; }

}  // namespace sim
