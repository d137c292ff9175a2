// Collects every area's native handlers into the host.
#include "natives/handlers.h"

namespace sim {

void registerAllHandlers(SimHost& host) {
    registerScreenHandlers(host);
    registerWorldHandlers(host);
}

}  // namespace sim
