// Binds the call protocol to the host library's exports.
#include "runtime/native_call.h"

#include "runtime/host.h"

void beginNative(NativeHash hash) { nativeInit(hash); }

void pushSlot(std::uint64_t slot) { nativePush64(slot); }

const std::uint64_t* finishNative() { return reinterpret_cast<const std::uint64_t*>(nativeCall()); }
