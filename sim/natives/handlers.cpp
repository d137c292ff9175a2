// Collects every area's native handlers into the host.
#include "natives/handlers.h"

#include <cstdlib>

namespace sim {

int nativeIndex(std::string_view name) {
    const int index = findNativeByName(name);
    if (index < 0) std::abort();
    return index;
}

void registerAllHandlers(SimHost& host) {
    registerScreenHandlers(host);
    registerWorldHandlers(host);
}

}  // namespace sim
