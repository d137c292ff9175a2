// Recorded calls as JSON Lines, in a form that is the same for every process that runs the script.
#pragma once

#include "host/call_record.h"

#include <memory>
#include <ostream>
#include <string>

namespace sim {

class SimHost;

// One call as a single JSON object:
//   {"frame":1,"tick":100000,"name":"GET_SCREEN_RESOLUTION","hash":"0x888D57E407E63624",
//    "args":[{"out":1280},{"out":720}],"result":null}
// Pointers differ from process to process, so none is written: a text argument appears as its
// text, an out-parameter as {"out":N}, the 32-bit word it points to when the call has returned.
// Argument and result values are decoded by the kinds in the native table; a slot that does not
// fit its kind (upper half set) and every slot of an unknown native appear as {"raw":"0x..."}.
// Out-parameters are read from memory, so the line must be made right after the call.
std::string traceLine(const NativeCall& call);

// From now on, writes one line per call the host performs to `out`, as each call returns.
void traceCalls(SimHost& host, std::shared_ptr<std::ostream> out);

}  // namespace sim
