// The state record's single instance, with its buffer allocated during static initialisation.
#include "runtime/state.h"

namespace {

ScriptState makeLoadedState() {
    ScriptState loaded;
    // Deliberately left uncleared: the query writes before the script reads.
    loaded.nearbyPeds = new std::int32_t[nearbyPedsWords];
    return loaded;
}

}  // namespace

ScriptState state = makeLoadedState();

void resetScriptState() {
    closeLog();
    std::int32_t* buffer = state.nearbyPeds;
    state = ScriptState{};
    state.nearbyPeds = buffer;
}
